// One record at a time: the filters, then each county of CNTY and
// USACA_COUNTIES resolved (a value's answer remembered) and credited.
#include "award/award_tally.h"

#include <utility>

#include "award/award_list.h"
#include "base/text_util.h"
#include "data/modes.h"

namespace shirl {
namespace {

int DateNumber(std::string_view date) {
    if (date.size() != 8) return 0;
    int n = 0;
    for (const char c : date) {
        if (!IsAsciiDigit(c)) return 0;
        n = n * 10 + (c - '0');
    }
    return n;
}

QsoMark MarkOf(const AwardQso& qso, const std::string& band) {
    return QsoMark{std::string(qso.call), std::string(qso.qsoDate), std::string(qso.timeOn), band,
                   std::string(qso.submode.empty() ? qso.mode : qso.submode)};
}

// Whether `qso` came before the QSO of `mark` (by date, then time).
bool Before(const AwardQso& qso, const QsoMark& mark) {
    if (mark.Empty()) return true;
    if (qso.qsoDate != mark.date) return qso.qsoDate < mark.date;
    return qso.timeOn < mark.time;
}

std::string_view FamilyOf(const AwardQso& qso) {
    const std::string_view family = ModeFamilyOf(qso.submode);
    return family.empty() ? ModeFamilyOf(qso.mode) : family;
}

} // namespace

bool IsReceivedConfirmation(std::string_view value) {
    return value.size() == 1 && (ToAsciiUpper(value[0]) == 'Y' || ToAsciiUpper(value[0]) == 'V');
}

AwardTally::AwardTally(AwardOptions options)
    : m_options(std::move(options)), m_counties(static_cast<std::size_t>(AwardCountyCount())) {}

const SpelledCounty& AwardTally::Resolve(std::string_view value, std::string_view state, int date) {
    m_key.assign(value).push_back('\x1f');
    m_key.append(state);
    const auto found = m_memo.find(m_key);
    const SpelledCounty& answer =
        found != m_memo.end() ? found->second : m_memo.emplace(m_key, ResolveCountySpelling(value, state, date)).first->second;
    if (!answer.byDate) return answer;
    m_dated = ResolveCountySpelling(value, state, date);
    return m_dated;
}

void AwardTally::CreditIndex(int index, const AwardQso& qso, bool confirmed, const std::string& band) {
    CountyCredit& credit = m_counties[static_cast<std::size_t>(index)];
    if (Before(qso, credit.worked)) credit.worked = MarkOf(qso, band);
    if (confirmed && Before(qso, credit.confirmed)) credit.confirmed = MarkOf(qso, band);
    if (!band.empty()) {
        std::vector<bool>& worked = m_byBand[band];
        if (worked.empty()) worked.resize(m_counties.size());
        worked[static_cast<std::size_t>(index)] = true;
    }
}

void AwardTally::Credit(std::string_view value, std::string_view state, const AwardQso& qso, bool confirmed,
                        const std::string& band) {
    const std::string_view written = TrimBlanksAndLineEnds(value.substr(0, value.find("//")));
    if (written.empty()) return;
    const SpelledCounty& county = Resolve(written, state, DateNumber(qso.qsoDate));
    int index = county.alaskaDistrict >= 0 ? AwardIndexOfDistrict(county.alaskaDistrict)
                                           : AwardIndexOfCounty(county.countyId);
    if (index == kNotAwardCounty && county.countyId >= 0 && ClaimablePlace(county.countyId) != nullptr) {
        ClaimableQsos& place = m_claimable[county.countyId];
        ++place.qsos;
        if (confirmed) ++place.confirmed;
        const auto claim = m_options.claims.find(county.countyId);
        if (claim == m_options.claims.end()) return;
        index = claim->second;
    }
    if (index == kNotAwardCounty) {
        std::string shown(written);
        if (written.find(',') == std::string_view::npos) shown.append(" (STATE ").append(state).append(")");
        UncountedValue& uncounted = m_uncounted[shown];
        ++uncounted.qsos;
        uncounted.nearest = county.nearest;
        return;
    }
    CreditIndex(index, qso, confirmed, band);
}

void AwardTally::Add(const AwardQso& qso) {
    if (qso.cnty.empty() && qso.usacaCounties.empty()) return;
    if (!IsUsStation(qso)) {
        // Its county counts nothing, but is named: "Middlesex" of an English station.
        ++m_otherQsos;
        const std::string_view written = TrimBlanksAndLineEnds(qso.cnty.substr(0, qso.cnty.find("//")));
        if (!written.empty()) ++m_uncounted[std::string(written) + " (not a US station)"].qsos;
        return;
    }
    const std::string band = BandOfQso(qso);
    if ((!m_options.band.empty() && band != m_options.band) ||
        (!m_options.modeFamily.empty() && FamilyOf(qso) != m_options.modeFamily)) {
        ++m_filteredOut;
        return;
    }
    ++m_usQsos;
    const unsigned sources = m_options.sources;
    const bool confirmed = ((sources & kConfirmCard) && IsReceivedConfirmation(qso.qslRcvd)) ||
                           ((sources & kConfirmLotw) && IsReceivedConfirmation(qso.lotwQslRcvd)) ||
                           ((sources & kConfirmEqsl) && IsReceivedConfirmation(qso.eqslQslRcvd));
    if (!qso.cnty.empty()) Credit(qso.cnty, qso.state, qso, confirmed, band);
    std::string_view rest = qso.usacaCounties;
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        Credit(rest.substr(0, colon), qso.state, qso, confirmed, band);
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
}

} // namespace shirl
