#include "convert/convert_qso.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <string>
#include <vector>

#include "adif/text_util.h"
#include "adif/writer.h"
#include "convert/exchange_county.h"
#include "convert/resolve.h"

namespace shirl {
namespace {

enum class Kind : unsigned char {
    Other,
    Call,
    Band,
    Freq,
    FreqRx,
    Mode,
    Comment,
    County,   // one of the 22 fields that may carry the worked station's county
    Cnty,     // CNTY: a county field, and the field the copies are made of
    Srx,      // SRX: a county field unless it holds a serial number
    MyCounty, // one of the 3 fields that may carry the operator's own county
    State,
    MyState,
    MyCnty,
    AliasRst, // APP_WRITELOG_RST, written as RST_RCVD
    AliasSnt, // APP_WRITELOG_SNT, written as RST_SENT
};

struct NamedKind {
    std::string_view name;
    Kind kind;
};

// Every name with a meaning here, in ascending byte order for the binary search.
constexpr std::array kNames = {
    NamedKind{"APP_N1MM_EXCHANGE1", Kind::County},   NamedKind{"APP_N1MM_MISCTEXT", Kind::County},
    NamedKind{"APP_N1MM_ROVERCNTY", Kind::MyCounty}, NamedKind{"APP_WRITELOG_C2", Kind::County},
    NamedKind{"APP_WRITELOG_CNTY", Kind::County},    NamedKind{"APP_WRITELOG_CTY", Kind::County},
    NamedKind{"APP_WRITELOG_CTY2", Kind::County},    NamedKind{"APP_WRITELOG_CTY3", Kind::County},
    NamedKind{"APP_WRITELOG_CTY4", Kind::County},    NamedKind{"APP_WRITELOG_QTH", Kind::County},
    NamedKind{"APP_WRITELOG_RCVD", Kind::County},    NamedKind{"APP_WRITELOG_RCVD_QTH", Kind::County},
    NamedKind{"APP_WRITELOG_RST", Kind::AliasRst},   NamedKind{"APP_WRITELOG_SENT", Kind::MyCounty},
    NamedKind{"APP_WRITELOG_SNT", Kind::AliasSnt},   NamedKind{"BAND", Kind::Band},
    NamedKind{"CALL", Kind::Call},                   NamedKind{"CNTY", Kind::Cnty},
    NamedKind{"COMMENT", Kind::Comment},             NamedKind{"CTY", Kind::County},
    NamedKind{"CTY2", Kind::County},                 NamedKind{"CTY3", Kind::County},
    NamedKind{"CTY4", Kind::County},                 NamedKind{"EXCHANGE1", Kind::County},
    NamedKind{"FREQ", Kind::Freq},                   NamedKind{"FREQ_RX", Kind::FreqRx},
    NamedKind{"MODE", Kind::Mode},                   NamedKind{"MY_CNTY", Kind::MyCnty},
    NamedKind{"MY_STATE", Kind::MyState},            NamedKind{"QTH", Kind::County},
    NamedKind{"QTH_RCVD", Kind::County},             NamedKind{"RCVD", Kind::County},
    NamedKind{"RCVD_QTH", Kind::County},             NamedKind{"SRX", Kind::Srx},
    NamedKind{"STATE", Kind::State},                 NamedKind{"STX_STRING", Kind::MyCounty},
};
static_assert(std::is_sorted(kNames.begin(), kNames.end(),
                             [](const NamedKind& a, const NamedKind& b) { return a.name < b.name; }));

constexpr std::size_t kLongestName = 21; // APP_WRITELOG_RCVD_QTH

// The names above grouped by length, so that a field name is compared with
// the few names of its own length only (this runs for every field).
struct NamesByLength {
    std::array<std::array<unsigned char, 16>, kLongestName + 1> index{};
    std::array<unsigned char, kLongestName + 1> count{};
};

constexpr NamesByLength MakeNamesByLength() {
    NamesByLength table{};
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        const std::size_t length = kNames[i].name.size();
        table.index[length][table.count[length]++] = static_cast<unsigned char>(i);
    }
    return table;
}
constexpr NamesByLength kNamesByLength = MakeNamesByLength();

// `name` is not empty.
Kind Classify(std::string_view name) {
    if (name.size() > kLongestName) return Kind::Other;
    const std::size_t length = name.size();
    const char first = ToAsciiUpper(name[0]);
    for (std::size_t k = 0; k < kNamesByLength.count[length]; ++k) {
        const NamedKind& entry = kNames[kNamesByLength.index[length][k]];
        if (entry.name[0] == first && EqualsNoCase(name.substr(1), entry.name.substr(1))) return entry.kind;
    }
    return Kind::Other;
}

// The four names that the copies treat specially; everything else is
// written as it is.
Kind WriteKind(std::string_view name) {
    switch (name.size()) {
    case 4: return EqualsNoCase(name, "CNTY") ? Kind::Cnty : Kind::Other;
    case 5: return EqualsNoCase(name, "STATE") ? Kind::State : Kind::Other;
    case 7: return EqualsNoCase(name, "MY_CNTY") ? Kind::MyCnty : Kind::Other;
    case 8: return EqualsNoCase(name, "MY_STATE") ? Kind::MyState : Kind::Other;
    default: return Kind::Other;
    }
}

bool IsCountyField(Kind kind) { return kind == Kind::County || kind == Kind::Cnty || kind == Kind::Srx; }

bool Contains(const std::optional<std::string>& value, char c) {
    return value && value->find(c) != std::string::npos;
}

// A STATE is only made from a county value "ST,Name" (two letters A-Z
// and a comma); any other value names no state.
std::optional<std::string_view> StateOfCountyValue(const std::optional<std::string>& value) {
    if (!value || value->size() < 3) return std::nullopt;
    const std::string& v = *value;
    if (!IsAsciiUpper(v[0]) || !IsAsciiUpper(v[1]) || v[2] != ',') return std::nullopt;
    return std::string_view(v).substr(0, 2);
}

std::string_view ValueOrEmpty(const AdifField& field) {
    return field.value ? std::string_view(*field.value) : std::string_view();
}

// Formats "YYYYMMDD" and "HHMMSS" of a UTC time in seconds.
struct DateTimeText {
    char date[24];
    std::size_t dateLength;
    char time[6];
};

DateTimeText FormatUtc(std::int64_t seconds) {
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    // Consecutive QSOs mostly share their day: keep the last one's date.
    thread_local std::int64_t cachedDays = std::numeric_limits<std::int64_t>::min();
    thread_local CivilDate cachedDate{};
    if (days != cachedDays) {
        cachedDate = CivilFromDays(days);
        cachedDays = days;
    }
    const CivilDate d = cachedDate;
    DateTimeText text{};
    char year[20];
    const std::size_t yearLength =
        static_cast<std::size_t>(std::to_chars(year, year + sizeof year, d.year < 0 ? -d.year : d.year).ptr - year);
    std::size_t n = 0;
    if (d.year < 0) text.date[n++] = '-';
    for (std::size_t pad = yearLength; pad < 4; ++pad) text.date[n++] = '0';
    for (std::size_t i = 0; i < yearLength; ++i) text.date[n++] = year[i];
    text.date[n++] = static_cast<char>('0' + d.month / 10);
    text.date[n++] = static_cast<char>('0' + d.month % 10);
    text.date[n++] = static_cast<char>('0' + d.day / 10);
    text.date[n++] = static_cast<char>('0' + d.day % 10);
    text.dateLength = n;
    const int hour = static_cast<int>(rest / 3600);
    const int minute = static_cast<int>(rest / 60 % 60);
    const int second = static_cast<int>(rest % 60);
    text.time[0] = static_cast<char>('0' + hour / 10);
    text.time[1] = static_cast<char>('0' + hour % 10);
    text.time[2] = static_cast<char>('0' + minute / 10);
    text.time[3] = static_cast<char>('0' + minute % 10);
    text.time[4] = static_cast<char>('0' + second / 10);
    text.time[5] = static_cast<char>('0' + second % 10);
    return text;
}

std::string CountyLineMessage(std::string_view callsign, std::string_view previous, std::string_view current) {
    std::string message = "INFO: Adding QSO for ";
    message += callsign;
    message += " on ";
    message += previous;
    message += '/';
    message += current;
    message += " county line.";
    return message;
}

} // namespace

std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yoe = year - era * 400;
    const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t doe = days - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

namespace {

constexpr std::string_view kExchangeName = "SRX_STRING";

// Whether a county field holds something the conversion reads as a county
// (an SRX that holds a serial number does not).
bool HasCountyValue(std::span<const AdifField> fields) {
    for (const AdifField& field : fields) {
        if (field.name.empty() || !field.value || field.value->empty()) continue;
        const Kind kind = Classify(field.name);
        if (kind == Kind::Srx && ReadDecimal(*field.value) != 0) continue;
        if (kind == Kind::County || kind == Kind::Cnty || kind == Kind::Srx) return true;
    }
    return false;
}

// Where the county taken from SRX_STRING goes: right after SRX_STRING, in a
// QSO without a county value whose received exchange ends in a word. nullopt
// for every other QSO.
std::optional<std::size_t> ExchangeCountySlot(std::span<const AdifField> fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const AdifField& field = fields[i];
        if (field.name.size() != kExchangeName.size() || !EqualsNoCase(field.name, kExchangeName)) continue;
        if (!field.value || !CountyWordOfExchange(*field.value) || HasCountyValue(fields)) return std::nullopt;
        return i + 1;
    }
    return std::nullopt;
}

int ConvertFields(const RecordOutput& out, int selection, bool addMobile, std::span<AdifField> fields,
                  std::optional<std::int64_t> time, RunCounters& counters, RunReport& report,
                  const AbbrevList* list, std::optional<std::size_t> addedCounty);

} // namespace

int ConvertQso(const RecordOutput& out, int selection, bool addMobile, std::span<AdifField> fields,
               std::optional<std::int64_t> time, RunCounters& counters, RunReport& report,
               const AbbrevList* list) {
    const std::optional<std::size_t> slot = ExchangeCountySlot(fields);
    if (!slot) return ConvertFields(out, selection, addMobile, fields, time, counters, report, list, std::nullopt);
    // The county word becomes a CNTY field of its own; SRX_STRING stays as it is.
    std::vector<AdifField> withCounty(fields.begin(), fields.end());
    const std::string_view word = *CountyWordOfExchange(*fields[*slot - 1].value);
    withCounty.insert(withCounty.begin() + static_cast<std::ptrdiff_t>(*slot), AdifField{"CNTY", std::string(word)});
    return ConvertFields(out, selection, addMobile, withCounty, time, counters, report, list, slot);
}

namespace {

int ConvertFields(const RecordOutput& out, int selection, bool addMobile, std::span<AdifField> fields,
                  std::optional<std::int64_t> time, RunCounters& counters, RunReport& report,
                  const AbbrevList* list, std::optional<std::size_t> addedCounty) {
    std::optional<std::size_t> callIndex;
    auto callsign = [&]() -> std::optional<std::string_view> {
        if (!callIndex || !fields[*callIndex].value) return std::nullopt;
        return std::string_view(*fields[*callIndex].value);
    };
    bool band = false, freq = false, freqRx = false, mode = false;
    int converted = 0;
    int ownConverted = 0;
    std::vector<std::size_t> convertedIndices; // CNTY fields made by the resolution

    // First pass: names, clean-up and county resolution.
    for (std::size_t i = 0; i < fields.size(); ++i) {
        AdifField& field = fields[i];
        if (field.name.empty()) continue;
        Kind kind = Classify(field.name);
        if (kind == Kind::AliasRst || kind == Kind::AliasSnt) {
            field.name = kind == Kind::AliasRst ? "RST_RCVD" : "RST_SENT";
            kind = Kind::Other;
        }
        switch (kind) {
        case Kind::Call: callIndex = i; continue;
        case Kind::Band: band = field.value.has_value(); continue;
        case Kind::Freq: freq = field.value.has_value(); continue;
        case Kind::FreqRx: freqRx = field.value.has_value(); continue;
        case Kind::Mode: mode = field.value.has_value(); continue;
        case Kind::Comment:
            if (field.value) {
                std::string& v = *field.value;
                if (std::all_of(v.begin(), v.end(), IsAsciiDigit)) field.name = "SRX";
                const std::size_t keep = v.find_last_not_of(' ');
                v.resize(keep == std::string::npos ? 0 : keep + 1);
            }
            continue;
        case Kind::MyCounty:
            if (field.value && !Contains(field.value, ',') && !Contains(field.value, '/'))
                ownConverted += ResolveCountyField(field, selection, callsign(), true, report, list);
            continue;
        default: break;
        }
        if (!IsCountyField(kind)) continue;

        if (kind == Kind::Srx && field.value && ReadDecimal(*field.value) != 0) continue; // a serial number
        const bool hasComma = Contains(field.value, ',');
        if (field.value && !hasComma)
            for (char& c : *field.value) c = ToAsciiUpper(c);

        // A callsign that carries this county as its suffix (N0CALL/AUT).
        if (const auto call = callsign(); call && field.value) {
            const std::size_t slash = call->find('/');
            if (slash != std::string_view::npos && call->substr(slash + 1) == *field.value) {
                std::string changed(call->substr(0, slash));
                if (addMobile) changed += "/M";
                PushMessage(report.first, "INFO: Changed callsign " + std::string(*call) + " to " + changed);
                fields[*callIndex].value = std::move(changed);
            }
        }

        int result = 0;
        if (field.value && !hasComma && !EqualsNoCase(*field.value, "DX")) {
            result = ResolveCountyField(field, selection, callsign(), false, report, list);
            converted += result;
            if (result == 1) convertedIndices.push_back(i);
        }
        // A county word from SRX_STRING is kept only as a county or a state.
        if (addedCounty == i && result == 0 && Classify(field.name) == Kind::Cnty) field.name.clear();
    }

    if (!callsign() || !(band || freq || freqRx) || !mode) return converted;

    // What each name means to the copies, found once for all of them (the
    // names are final now; the copies only clear them).
    std::array<Kind, 128> fewKinds;
    std::vector<Kind> manyKinds;
    if (fields.size() > fewKinds.size()) manyKinds.resize(fields.size());
    Kind* const writeKinds = fields.size() > fewKinds.size() ? manyKinds.data() : fewKinds.data();
    for (std::size_t i = 0; i < fields.size(); ++i) writeKinds[i] = WriteKind(fields[i].name);

    // Duplicate removal: a CNTY equal to an earlier one is left out; the
    // converted count loses it when the resolution had made it.
    std::size_t distinct = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (writeKinds[i] != Kind::Cnty) continue;
        bool duplicate = false;
        for (std::size_t j = 0; j < i && !duplicate; ++j)
            duplicate = writeKinds[j] == Kind::Cnty && fields[j].value == fields[i].value;
        if (!duplicate) {
            ++distinct;
            continue;
        }
        fields[i].name.clear();
        writeKinds[i] = Kind::Other;
        if (std::find(convertedIndices.begin(), convertedIndices.end(), i) != convertedIndices.end()) --converted;
    }

    // One record per distinct CNTY, each one second later than the one before.
    const std::size_t copies = std::max<std::size_t>(distinct, 1);
    int ownRemaining = ownConverted;
    const std::string_view call = *callsign();
    for (std::size_t k = 0; k < copies; ++k) {
        bool stateWritten = false, cntyWritten = false, myStateWritten = false, myCntyWritten = false;
        std::size_t column = 0;
        if (time) {
            const DateTimeText text = FormatUtc(*time + static_cast<std::int64_t>(k));
            column = WriteField(out.sink, "QSO_DATE", std::string_view(text.date, text.dateLength), column,
                                out.lineEnd);
            column = WriteField(out.sink, "TIME_ON", std::string_view(text.time, 6), column, out.lineEnd);
        }
        for (std::size_t i = 0; i < fields.size(); ++i) {
            AdifField& field = fields[i];
            if (field.name.empty()) continue;
            const std::optional<std::string_view> value =
                field.value ? std::optional<std::string_view>(*field.value) : std::nullopt;
            switch (writeKinds[i]) {
            case Kind::State:
                if (!stateWritten) column = WriteField(out.sink, field.name, value, column, out.lineEnd);
                stateWritten = true;
                break;
            case Kind::MyState:
                if (!myStateWritten) column = WriteField(out.sink, field.name, value, column, out.lineEnd);
                myStateWritten = true;
                break;
            case Kind::Cnty:
                if (cntyWritten) break; // waits for a later copy
                column = WriteField(out.sink, field.name, value, column, out.lineEnd);
                cntyWritten = true;
                if (copies > 1 && k > 0) {
                    ++counters.countyLineCopies;
                    PushMessage(report.first, CountyLineMessage(call, i > 0 ? ValueOrEmpty(fields[i - 1]) : "",
                                                                ValueOrEmpty(field)));
                }
                if (const auto state = StateOfCountyValue(field.value)) {
                    column = WriteField(out.sink, "STATE", *state, column, out.lineEnd);
                    stateWritten = true;
                }
                field.name.clear();
                break;
            case Kind::MyCnty:
                if (myCntyWritten) break;
                column = WriteField(out.sink, field.name, value, column, out.lineEnd);
                myCntyWritten = true;
                if (ownConverted > 1 && ownRemaining != ownConverted)
                    PushMessage(report.first, CountyLineMessage(call, i > 0 ? ValueOrEmpty(fields[i - 1]) : "",
                                                                ValueOrEmpty(field)));
                if (const auto state = StateOfCountyValue(field.value)) {
                    column = WriteField(out.sink, "MY_STATE", *state, column, out.lineEnd);
                    myStateWritten = true;
                }
                --ownRemaining;
                field.name.clear();
                break;
            default: column = WriteField(out.sink, field.name, value, column, out.lineEnd); break;
            }
        }
        out.sink.Write(out.lineEnd);
        out.sink.Write(out.lineEnd);
        ++counters.qsosWritten;
    }
    return converted;
}

} // namespace

} // namespace shirl
