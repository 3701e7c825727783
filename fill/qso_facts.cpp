#include "fill/qso_facts.h"

#include <algorithm>

#include "base/text_util.h"
#include "convert/qso_time.h"
#include "data/bands.h"
#include "data/modes.h"

namespace shirl {
namespace {

bool HasLetter(std::string_view s) {
    return std::any_of(s.begin(), s.end(), [](char c) { return IsAsciiUpper(ToAsciiUpper(c)); });
}
bool HasDigit(std::string_view s) { return std::any_of(s.begin(), s.end(), IsAsciiDigit); }

// Digits only, of exactly `n` characters, read as a number.
std::optional<int> Digits(std::string_view s, std::size_t n) {
    if (s.size() != n || !std::all_of(s.begin(), s.end(), IsAsciiDigit)) return std::nullopt;
    return static_cast<int>(ReadDecimal(s));
}

// A frequency in MHz ("14.025") in hertz, or nullopt.
std::optional<std::int64_t> HertzOf(std::string_view mhz) {
    mhz = TrimBlanksAndLineEnds(mhz);
    const std::size_t dot = mhz.find('.');
    const std::string_view whole = mhz.substr(0, dot);
    const std::string_view part = dot == std::string_view::npos ? std::string_view() : mhz.substr(dot + 1);
    if (whole.size() > 7 || (whole.empty() && part.empty())) return std::nullopt;
    if (!std::all_of(whole.begin(), whole.end(), IsAsciiDigit) || !std::all_of(part.begin(), part.end(), IsAsciiDigit))
        return std::nullopt;
    std::int64_t hz = ReadDecimal(whole) * 1'000'000;
    std::int64_t scale = 100'000;
    for (std::size_t i = 0; i < part.size() && scale > 0; ++i, scale /= 10) hz += (part[i] - '0') * scale;
    return hz;
}

} // namespace

void TakeFact(QsoFacts& facts, std::string_view name, std::string_view value) {
    struct Slot {
        std::string_view name;
        std::string_view QsoFacts::*member;
    };
    static constexpr Slot kSlots[] = {
        {"CALL", &QsoFacts::call},       {"BAND", &QsoFacts::band},
        {"FREQ", &QsoFacts::freq},       {"MODE", &QsoFacts::mode},
        {"SUBMODE", &QsoFacts::submode}, {"QSO_DATE", &QsoFacts::date},
        {"TIME_ON", &QsoFacts::time},    {"CNTY", &QsoFacts::cnty},
        {"STATE", &QsoFacts::state},     {"USACA_COUNTIES", &QsoFacts::usacaCounties},
        {"MY_CNTY", &QsoFacts::myCnty},  {"MY_STATE", &QsoFacts::myState},
        {"MY_USACA_COUNTIES", &QsoFacts::myUsacaCounties},
    };
    for (const Slot& slot : kSlots)
        if (EqualsNoCase(name, slot.name)) {
            facts.*slot.member = value;
            return;
        }
}

std::string CallKey(std::string_view call) {
    const std::string upper = AsciiUpperCase(TrimBlanksAndLineEnds(call));
    std::string_view best;
    bool bestEndsInLetter = false;
    std::string_view rest = upper;
    for (;;) {
        const std::size_t slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        if (HasLetter(part) && HasDigit(part)) {
            const bool endsInLetter = IsAsciiUpper(part.back());
            if (best.empty() || (endsInLetter && !bestEndsInLetter) ||
                (endsInLetter == bestEndsInLetter && part.size() > best.size())) {
                best = part;
                bestEndsInLetter = endsInLetter;
            }
        }
        if (slash == std::string_view::npos) break;
        rest.remove_prefix(slash + 1);
    }
    return std::string(best);
}

std::string BandOfQso(std::string_view band, std::string_view freq) {
    band = TrimBlanksAndLineEnds(band);
    if (!band.empty()) {
        std::string lower(band);
        for (char& c : lower)
            if (IsAsciiUpper(c)) c = static_cast<char>(c - 'A' + 'a');
        return lower;
    }
    const auto hz = HertzOf(freq);
    return hz ? std::string(BandOfFrequency(*hz)) : std::string();
}

std::string ModeFamilyOfQso(std::string_view mode, std::string_view submode) {
    mode = TrimBlanksAndLineEnds(mode);
    if (mode.empty()) return {};
    if (const std::string_view family = ModeFamilyOf(mode); !family.empty()) return std::string(family);
    if (const std::string_view family = ModeFamilyOf(TrimBlanksAndLineEnds(submode)); !family.empty())
        return std::string(family);
    return AsciiUpperCase(mode);
}

std::optional<std::int64_t> QsoStart(std::string_view date, std::string_view time) {
    const auto year = Digits(date.substr(0, 4), 4);
    const auto month = Digits(date.size() == 8 ? date.substr(4, 2) : "", 2);
    const auto day = Digits(date.size() == 8 ? date.substr(6, 2) : "", 2);
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > 31) return std::nullopt;
    if (time.size() != 4 && time.size() != 6) return std::nullopt;
    const auto hour = Digits(time.substr(0, 2), 2), minute = Digits(time.substr(2, 2), 2);
    const auto second = time.size() == 6 ? Digits(time.substr(4, 2), 2) : std::optional<int>(0);
    if (!hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 59) return std::nullopt;
    return DaysFromCivil(*year, *month, *day) * 86400 + *hour * 3600 + *minute * 60 + *second;
}

std::optional<MatchKey> MatchKeyOf(const QsoFacts& facts) {
    MatchKey key{CallKey(facts.call), BandOfQso(facts.band, facts.freq), ModeFamilyOfQso(facts.mode, facts.submode)};
    const auto start = QsoStart(facts.date, facts.time);
    if (key.call.empty() || key.band.empty() || key.family.empty() || !start) return std::nullopt;
    key.start = *start;
    return key;
}

bool IsCountyValue(std::string_view value) {
    return value.size() > 3 && IsAsciiUpper(value[0]) && IsAsciiUpper(value[1]) && value[2] == ',';
}

} // namespace shirl
