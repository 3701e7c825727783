// The logbook read with the ADIF pull reader; a record's fields kept as
// views until its end.
#include "award/award_qso.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "adif/reader.h"
#include "base/text_util.h"
#include "convert/prefix.h"
#include "data/bands.h"

namespace shirl {
namespace {

struct FieldSlot {
    std::string_view name; // upper case
    std::string_view AwardQso::*member;
};

constexpr std::array<FieldSlot, 14> kFields{{
    {"CALL", &AwardQso::call},       {"QSO_DATE", &AwardQso::qsoDate},  {"TIME_ON", &AwardQso::timeOn},
    {"BAND", &AwardQso::band},       {"FREQ", &AwardQso::freq},         {"MODE", &AwardQso::mode},
    {"SUBMODE", &AwardQso::submode}, {"DXCC", &AwardQso::dxcc},         {"CNTY", &AwardQso::cnty},
    {"STATE", &AwardQso::state},     {"USACA_COUNTIES", &AwardQso::usacaCounties},
    {"QSL_RCVD", &AwardQso::qslRcvd}, {"LOTW_QSL_RCVD", &AwardQso::lotwQslRcvd},
    {"EQSL_QSL_RCVD", &AwardQso::eqslQslRcvd},
}};

} // namespace

LogbookCounts ReadAwardQsos(ByteSource& input, const std::function<void(const AwardQso&)>& take) {
    LogbookCounts counts;
    AdifReader reader(input);
    AwardQso qso;
    for (;;) {
        const AdifReader::Event event = reader.Next();
        if (event == AdifReader::Event::End) break;
        switch (event) {
        case AdifReader::Event::Field:
            for (const FieldSlot& slot : kFields)
                if (EqualsNoCase(reader.Name(), slot.name)) {
                    qso.*slot.member = TrimBlanksAndLineEnds(reader.Value().value_or(std::string_view()));
                    break;
                }
            break;
        case AdifReader::Event::EndOfRecord:
            ++counts.records;
            take(qso);
            qso = AwardQso();
            break;
        case AdifReader::Event::Malformed:
        case AdifReader::Event::TooManyFields:
            ++counts.damaged;
            qso = AwardQso();
            break;
        default: break;
        }
    }
    counts.failed = reader.Failed();
    return counts;
}

bool IsUsStation(const AwardQso& qso) {
    if (!qso.dxcc.empty()) {
        const std::string_view dxcc = qso.dxcc;
        return dxcc == "291" || dxcc == "6" || dxcc == "110";
    }
    std::string prefix;
    if (qso.call.empty() || ExtractCallsignPrefix(AsciiUpperCase(qso.call), prefix) != 0 || prefix.empty()) return false;
    const char first = prefix[0];
    const char second = prefix.size() > 1 ? prefix[1] : '\0';
    const char third = prefix.size() > 2 ? prefix[2] : '\0';
    if (first == 'A') {
        if (second < 'A' || second > 'L') return false;
    } else if (first != 'K' && first != 'N' && first != 'W') {
        return false;
    }
    // The territories: xH digit (Hawaii's H6 and H7 aside) and xP digit.
    if (second == 'H' && third >= '0' && third <= '9' && third != '6' && third != '7') return false;
    if (second == 'P' && third >= '0' && third <= '9') return false;
    return true;
}

std::string BandOfQso(const AwardQso& qso) {
    if (!qso.band.empty()) {
        std::string band(qso.band);
        for (char& c : band) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
        return band;
    }
    if (qso.freq.empty()) return {};
    const std::string text(qso.freq);
    char* end = nullptr;
    const double mhz = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || !(mhz > 0) || mhz > 1e7) return {};
    return std::string(BandOfFrequency(static_cast<std::int64_t>(std::llround(mhz * 1e6))));
}

} // namespace shirl
