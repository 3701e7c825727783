// Real logs from many loggers and log services: converting them must not
// lose a contact or change a field that the conversion does not rewrite.
// The logs are read back with a small reader of this test's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "adif/byte_io.h"
#include "cabrillo/adif_source.h"
#include "convert/convert_log.h"
#include "data/selections.h"
#include "tests/support/test_files.h"

namespace shirl {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;

const fs::path kSamples = fs::path(SHIRL_SOURCE_DIR) / ".." / "shared" / "data" / "adif-samples";

using Field = std::pair<std::string, std::optional<std::string>>;
using Record = std::vector<Field>;

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::size_t FindNoCase(const std::string& text, const std::string& upperNeedle, std::size_t from = 0) {
    const auto it = std::search(text.begin() + static_cast<std::ptrdiff_t>(std::min(from, text.size())), text.end(),
                                upperNeedle.begin(), upperNeedle.end(), [](char a, char b) {
                                    return std::toupper(static_cast<unsigned char>(a)) == b;
                                });
    return it == text.end() ? std::string::npos : static_cast<std::size_t>(it - text.begin());
}

// Blanks, an optional sign, digits, optionally ':' and a type indicator.
bool LengthForm(const std::string& t) {
    std::size_t i = t.find_first_not_of(" \t");
    if (i == std::string::npos) return false;
    if (t[i] == '+' || t[i] == '-') ++i;
    const std::size_t digits = i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
    if (i == digits) return false;
    if (i == t.size()) return true;
    if (t[i] != ':' || i + 1 == t.size()) return false;
    return std::all_of(t.begin() + static_cast<std::ptrdiff_t>(i) + 1, t.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

struct Parsed {
    std::vector<Record> records;
    int malformed = 0;
    int characterCounted = 0; // values whose length counts characters
    int textBetweenTags = 0;  // non-blank text after a value, before the next tag
    int badLengths = 0;       // tags left out for a length that runs past the input or its record
};

// Whether non-blank text stands between `from` and the next '<' (or the end).
bool TextBeforeTag(const std::string& t, std::size_t from) {
    return t.find_first_not_of(" \t\r\n\v\f", from) < std::min(t.find('<', from), t.size());
}

// Where `count` UTF-8 characters from `start` end, when they are there and valid.
std::optional<std::size_t> CharactersEnd(const std::string& t, std::size_t start, long long count) {
    std::size_t i = start;
    for (long long c = 0; c < count; ++c) {
        if (i >= t.size()) return std::nullopt;
        const auto lead = static_cast<unsigned char>(t[i]);
        const int size = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        if (size == 0 || i + static_cast<std::size_t>(size) > t.size()) return std::nullopt;
        unsigned long cp = size == 1 ? lead : lead & (0x7Fu >> size);
        for (int k = 1; k < size; ++k) {
            const auto b = static_cast<unsigned char>(t[i + static_cast<std::size_t>(k)]);
            if ((b & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (b & 0x3Fu);
        }
        static const unsigned long least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < least[size] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
        i += static_cast<std::size_t>(size);
    }
    return i;
}

// Where the header of a log with one ends: after the line of its <eoh>, or
// right after the tag when a tag follows it on its line.
std::size_t HeaderEnd(const std::string& text, std::size_t eoh) {
    const std::size_t tagEnd = eoh + 5;
    std::size_t lineEnd = text.find('\n', tagEnd);
    lineEnd = lineEnd == std::string::npos ? text.size() : lineEnd;
    if (text.find('<', tagEnd) < lineEnd) return tagEnd;
    return lineEnd == text.size() ? lineEnd : lineEnd + 1;
}

// Whether the value at `from` of `length` bytes takes in an <eor> and a tag
// after it, with text (no tag) right after the value.
bool SwallowsRecords(const std::string& text, std::size_t from, std::size_t length) {
    const std::string value = text.substr(from, length);
    const std::size_t eor = FindNoCase(value, "<EOR>");
    return eor != std::string::npos && value.find('<', eor + 5) != std::string::npos &&
           TextBeforeTag(text, from + length);
}

// Reads a whole log held in memory: header up to its <eoh> (none when the
// file starts with '<' and an <eor> comes first), then tags. A '<' that
// starts no tag (no ':' or '>' before the next '<' or the line's end, or an
// empty name or one with a blank) is text; a length that runs past the end
// or takes in records drops its tag alone; another malformed tag drops its
// record up to the next <eor>.
Parsed ParseLog(const std::string& text) {
    Parsed parsed;
    std::size_t pos = 0;
    const bool headerless = !text.empty() && text[0] == '<' && FindNoCase(text, "<EOR>") < FindNoCase(text, "<EOH>");
    if (!headerless) {
        const std::size_t eoh = FindNoCase(text, "<EOH>");
        if (eoh == std::string::npos) return parsed;
        pos = HeaderEnd(text, eoh);
    }
    Record current;
    while ((pos = text.find('<', pos)) != std::string::npos) {
        std::size_t lineEnd = text.find('\n', pos);
        if (lineEnd == std::string::npos) lineEnd = text.size();
        const std::size_t stop = text.find_first_of(":><\n", pos + 1);
        if (stop == std::string::npos || text[stop] == '<' || text[stop] == '\n' || stop == pos + 1 ||
            text.substr(pos + 1, stop - pos - 1).find_first_of(" \t\r\v\f") != std::string::npos) {
            ++pos; // a stray '<'
            continue;
        }
        const std::string name = text.substr(pos + 1, stop - pos - 1);
        bool bad = name.find_first_of(",{}") != std::string::npos;
        std::optional<std::string> value;
        std::size_t next = stop + 1;
        if (!bad && text[stop] == ':') {
            const std::size_t gt = text.find('>', stop);
            bad = gt == std::string::npos || gt > lineEnd || !LengthForm(text.substr(stop + 1, gt - stop - 1));
            if (!bad) {
                const std::string declared = text.substr(stop + 1, gt - stop - 1);
                const unsigned long long length = std::strtoll(declared.c_str(), nullptr, 10) < 0
                                                      ? 0
                                                      : std::strtoull(declared.c_str(), nullptr, 10);
                if (length > text.size() - gt - 1 || SwallowsRecords(text, gt + 1, length)) {
                    ++parsed.badLengths; // the tag alone is left out
                    pos = gt + 1;
                    continue;
                }
                value = text.substr(gt + 1, static_cast<std::size_t>(length));
                next = gt + 1 + value->size();
                // A length that counts characters, where bytes would leave text.
                const auto end = TextBeforeTag(text, next) ? CharactersEnd(text, gt + 1, static_cast<long long>(length))
                                                           : std::nullopt;
                if (end && *end > next && !TextBeforeTag(text, *end)) {
                    value = text.substr(gt + 1, *end - gt - 1);
                    next = *end;
                    ++parsed.characterCounted;
                }
                parsed.textBetweenTags += TextBeforeTag(text, next);
            }
        }
        if (bad) {
            ++parsed.malformed;
            current.clear();
            const std::size_t eor = FindNoCase(text, "<EOR>", pos);
            if (eor == std::string::npos) break;
            pos = eor + 5;
            continue;
        }
        current.emplace_back(name, value);
        pos = next;
        if (Upper(name) == "EOR") {
            parsed.records.push_back(current);
            current.clear();
        }
    }
    return parsed;
}

bool HasValue(const Record& record, std::initializer_list<const char*> names, bool nonEmpty) {
    for (const Field& f : record)
        for (const char* n : names)
            if (Upper(f.first) == n && f.second && !(nonEmpty && f.second->empty())) return true;
    return false;
}

// A contact is written when it has CALL, MODE and BAND, FREQ or FREQ_RX
// with values (an empty value is a value).
bool WillBeWritten(const Record& r, bool nonEmpty = false) {
    return HasValue(r, {"CALL"}, nonEmpty) && HasValue(r, {"MODE"}, nonEmpty) &&
           HasValue(r, {"BAND", "FREQ", "FREQ_RX"}, nonEmpty);
}

// The fields that the conversion may rename, rewrite, add or leave out.
bool MayBeRewritten(const std::string& name) {
    static const std::set<std::string> names = {
        "CALL", "COMMENT", "SRX", "STATE", "MY_STATE", "CNTY", "MY_CNTY", "QSO_DATE", "TIME_ON",
        "APP_WRITELOG_RST", "APP_WRITELOG_SNT", "RST_RCVD", "RST_SENT", "APP_N1MM_EXCHANGE1",
        "APP_N1MM_MISCTEXT", "APP_WRITELOG_C2", "APP_WRITELOG_CNTY", "APP_WRITELOG_CTY", "APP_WRITELOG_CTY2",
        "APP_WRITELOG_CTY3", "APP_WRITELOG_CTY4", "APP_WRITELOG_QTH", "APP_WRITELOG_RCVD",
        "APP_WRITELOG_RCVD_QTH", "CTY", "CTY2", "CTY3", "CTY4", "EXCHANGE1", "QTH", "QTH_RCVD", "RCVD",
        "RCVD_QTH", "APP_N1MM_ROVERCNTY", "APP_WRITELOG_SENT"};
    return names.count(Upper(name)) != 0;
}

std::string TrimRight(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// The input values that stand nowhere in the output records [first, last)
// of their contact. A value may come out under a new name (COMMENT as SRX);
// a county field's value may come out in standard form instead, as a CNTY,
// STATE, MY_CNTY or MY_STATE the input did not hold. The call and the date
// and time are checked elsewhere.
std::vector<std::string> ValuesLost(const Record& in, const std::vector<Record>& out, std::size_t first,
                                    std::size_t last) {
    std::set<std::string> outValues, inValues;
    bool standardMade = false;
    for (const Field& f : in)
        if (f.second) inValues.insert(*f.second);
    for (std::size_t o = first; o < last; ++o) {
        for (const Field& f : out[o]) {
            if (!f.second) continue;
            outValues.insert(TrimRight(*f.second));
            const std::string name = Upper(f.first);
            if ((name == "CNTY" || name == "STATE" || name == "MY_CNTY" || name == "MY_STATE") &&
                !inValues.count(*f.second))
                standardMade = true;
        }
    }
    std::vector<std::string> lost;
    for (const Field& f : in) {
        const std::string name = Upper(f.first);
        if (!f.second || name == "CALL" || name == "QSO_DATE" || name == "TIME_ON") continue;
        if (outValues.count(TrimRight(*f.second))) continue;
        if (MayBeRewritten(name) && name != "COMMENT" && standardMade) continue;
        lost.push_back(f.first + "=" + *f.second);
    }
    return lost;
}

Record Untouched(const Record& record) {
    Record kept;
    for (const Field& f : record)
        if (!MayBeRewritten(f.first)) kept.push_back(f);
    return kept;
}

// Equal neighbours collapsed: county-line copies of one contact become one.
std::vector<Record> Collapse(const std::vector<Record>& records) {
    std::vector<Record> result;
    for (const Record& r : records)
        if (result.empty() || result.back() != r) result.push_back(r);
    return result;
}

// The QSO_DATE and TIME_ON fields of a record from field `skip` on.
Record Dates(const Record& r, std::size_t skip) {
    Record d;
    for (std::size_t k = skip; k < r.size(); ++k)
        if (Upper(r[k].first) == "QSO_DATE" || Upper(r[k].first) == "TIME_ON") d.push_back(r[k]);
    return d;
}

bool AllDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

// A QSO_DATE that is a calendar date, or a TIME_ON of four or six digits
// that is a time of day (or the day's end, 2400).
bool Readable(const Field& f) {
    if (!f.second || !AllDigits(*f.second)) return false;
    if (Upper(f.first) == "TIME_ON") {
        const std::string& t = *f.second;
        if (t.size() != 4 && t.size() != 6) return false;
        const int hour = std::stoi(t.substr(0, 2)), minute = std::stoi(t.substr(2, 2));
        const int second = t.size() == 6 ? std::stoi(t.substr(4, 2)) : 0;
        return (hour == 24 && minute == 0 && second == 0) || (hour < 24 && minute < 60 && second < 60);
    }
    if (f.second->size() != 8) return false;
    const int year = std::stoi(f.second->substr(0, 4));
    const std::chrono::year_month_day date{std::chrono::year(year),
                                           std::chrono::month(static_cast<unsigned>(std::stoi(f.second->substr(4, 2)))),
                                           std::chrono::day(static_cast<unsigned>(std::stoi(f.second->substr(6, 2))))};
    return year >= 1 && date.ok();
}

// The record's dates and times without the last readable QSO_DATE and the
// last readable TIME_ON, which a record's leading pair stands for.
Record UnreadDates(const Record& r) {
    Record d = Dates(r, 0);
    for (const char* name : {"QSO_DATE", "TIME_ON"}) {
        const auto last = std::find_if(d.rbegin(), d.rend(),
                                       [name](const Field& f) { return Upper(f.first) == name && Readable(f); });
        if (last != d.rend()) d.erase(std::next(last).base());
    }
    return d;
}

// The output records [first, second) of each written contact: county-line
// copies share the fields that the conversion does not rewrite.
std::vector<std::pair<std::size_t, std::size_t>> CopiesOf(const std::vector<Record>& written,
                                                          const std::vector<Record>& out) {
    std::vector<std::pair<std::size_t, std::size_t>> copies;
    for (std::size_t i = 0, o = 0; i < written.size() && o < out.size(); ++i) {
        const std::size_t first = o++;
        while (o < out.size() && Untouched(out[o]) == Untouched(out[o - 1]) &&
               (i + 1 == written.size() || Untouched(written[i + 1]) != Untouched(out[o])))
            ++o;
        copies.emplace_back(first, o);
    }
    return copies;
}

// "N records (M with CALL, MODE and BAND/FREQ" of each file, from SOURCES.md.
std::map<std::string, int> ExpectedWritable() {
    std::ifstream in(kSamples / "SOURCES.md");
    std::map<std::string, int> counts;
    std::string line, file;
    static const std::regex heading("^### (.+)$");
    static const std::regex shape("\\(([0-9]+) with CALL, MODE and BAND/FREQ");
    std::smatch m;
    while (std::getline(in, line)) {
        if (std::regex_match(line, m, heading)) file = m[1];
        else if (!file.empty() && std::regex_search(line, m, shape)) counts[file] = std::stoi(m[1]);
    }
    return counts;
}

// The contacts that the sources count as lost to a '<' that starts no tag,
// and that a reader keeps.
const std::map<std::string, int> kStrayLtContacts = {{"tcort-rumlogng.adif", 1}, {"tcort-wrl.adi", 3}};

std::string FieldValue(const Record& r, const char* name) {
    for (const Field& f : r)
        if (Upper(f.first) == name) return Upper(f.second.value_or(""));
    return {};
}

// The records that a logger wrote once per county of a contact on a line:
// the same call, date, time, band and mode as the record before, another
// CNTY. The conversion counts them as county-line copies.
std::int64_t LoggerSplits(const std::vector<Record>& records) {
    std::int64_t n = 0;
    for (std::size_t i = 1; i < records.size(); ++i) {
        bool same = !FieldValue(records[i], "QSO_DATE").empty() && !FieldValue(records[i], "TIME_ON").empty();
        for (const char* name : {"CALL", "QSO_DATE", "TIME_ON", "BAND", "MODE"})
            same = same && FieldValue(records[i], name) == FieldValue(records[i - 1], name);
        const std::string county = FieldValue(records[i], "CNTY"), before = FieldValue(records[i - 1], "CNTY");
        n += same && !county.empty() && !before.empty() && county != before;
    }
    return n;
}

TEST(SamplesCorpus, NothingIsLost) {
    if (!fs::is_directory(kSamples)) GTEST_SKIP() << "no sample logs at " << kSamples.string();
    const std::map<std::string, int> writable = ExpectedWritable();
    int files = 0;
    // The exports whose lengths count characters: 88 values between them.
    const std::set<std::string> countingCharacters = {"tcort-qrz.adi", "tcort-rumlogng.adif", "tcort-hamrs.adi",
                                                      "tcort-klog.adi", "tcort-wrl.adi"};
    int charactersCounted = 0;
    for (const auto& entry : fs::directory_iterator(kSamples)) {
        const std::string name = entry.path().filename().string();
        if (name == "SOURCES.md") continue;
        SCOPED_TRACE(name);
        ++files;
        const std::string input = ReadFile(entry.path());
        // KS for its county-line log, MULTI (every table) for the rest.
        for (const char* code : {name.find("ksqp") != std::string::npos ? "KS" : "MULTI"}) {
            SCOPED_TRACE(code);
            MemorySource source(input);
            StringSink sink;
            RunReport report;
            const ConvertLogResult result =
                ConvertLogDetailed(source, sink, FindSelectionByCode(code).value_or(Selection()), true, "out.adi", report);
            const std::string output = sink.str();

            const Parsed in = ParseLog(input);
            const Parsed out = ParseLog(output);
            std::vector<Record> written;
            std::copy_if(in.records.begin(), in.records.end(), std::back_inserter(written),
                         [](const Record& r) { return WillBeWritten(r); });

            // Every contact that can be written is, each with its copies. The
            // sources count contacts whose values are not empty.
            ASSERT_TRUE(writable.count(name)) << "file missing from SOURCES.md";
            const auto recovered = kStrayLtContacts.find(name);
            EXPECT_EQ(std::count_if(written.begin(), written.end(), [](const Record& r) { return WillBeWritten(r, true); }),
                      writable.at(name) + (recovered == kStrayLtContacts.end() ? 0 : recovered->second));
            EXPECT_EQ(static_cast<std::int64_t>(out.records.size()),
                      static_cast<std::int64_t>(written.size()) + result.countyLineCopies - LoggerSplits(written));
            EXPECT_EQ(result.qsosWritten, static_cast<std::int64_t>(out.records.size()));
            EXPECT_EQ(out.malformed, 0);
            // Every value comes out whole, read by bytes or by characters as its input was.
            EXPECT_EQ(out.textBetweenTags, 0);
            const auto& first = report.progress.OldestFirst();
            const bool one = in.characterCounted == 1;
            const ReportMessage counted{.kind = MessageKind::Info,
                                        .text = std::to_string(in.characterCounted) +
                                                (one ? " value in this log gives its" : " values in this log give their") +
                                                " length in characters, not bytes; " + (one ? "it was" : "they were") +
                                                " read whole."};
            EXPECT_EQ(std::count(first.begin(), first.end(), counted), in.characterCounted != 0 ? 1 : 0);
            if (countingCharacters.count(name)) charactersCounted += in.characterCounted;
            // Every record dropped for a malformed tag was reported, and every
            // tag left out for its length.
            const auto& third = report.inputProblems.OldestFirst();
            const auto rows = [&third](const char* what) {
                return std::count_if(third.begin(), third.end(), [what](const ReportMessage& m) {
                    return m.text.rfind("Malformed ADIF tag", 0) == 0 && m.text.find(what) != std::string::npos;
                });
            };
            EXPECT_EQ(rows(", skipping QSO"), in.malformed);
            EXPECT_EQ(rows(", skipping the field"), in.badLengths);

            // The header comes out as it was.
            if (!in.records.empty() && input[0] != '<') {
                const std::size_t headerEnd = HeaderEnd(input, FindNoCase(input, "<EOH>"));
                EXPECT_EQ(output.substr(0, headerEnd), input.substr(0, headerEnd));
            }

            // Fields the conversion does not rewrite come out byte for byte.
            std::vector<Record> inKept, outKept;
            for (const Record& r : written) inKept.push_back(Untouched(r));
            for (const Record& r : out.records) outKept.push_back(Untouched(r));
            EXPECT_EQ(Collapse(outKept), Collapse(inKept));
            // And the log's own dates and times are kept after the leading
            // pair, but for those the pair was read from.
            const auto copies = CopiesOf(written, out.records);
            for (std::size_t i = 0; i < copies.size(); ++i) {
                // Every value of the contact comes out.
                EXPECT_EQ(ValuesLost(written[i], out.records, copies[i].first, copies[i].second),
                          std::vector<std::string>())
                    << "contact " << i;
                const Record& first = out.records[copies[i].first];
                const bool leading = first.size() >= 2 && first[0].first == "QSO_DATE" &&
                                     first[1].first == "TIME_ON" &&
                                     Dates(first, 0).size() == UnreadDates(written[i]).size() + 2;
                EXPECT_EQ(Dates(first, leading ? 2 : 0), leading ? UnreadDates(written[i]) : Dates(written[i], 0))
                    << "contact " << i;
            }
        }
    }
    EXPECT_GT(files, 30);
    EXPECT_EQ(charactersCounted, 88);
}

// Each output record holds a field name more than once only where its
// input record did, or where it keeps an input date or time that could not
// be read beside the leading pair; and a reader that keeps the last value
// of a field sees every county-line copy at its own time.
void ExpectOneValuePerField(const std::string& input, const std::string& output) {
    const Parsed in = ParseLog(input);
    const Parsed out = ParseLog(output);
    std::vector<Record> written;
    std::copy_if(in.records.begin(), in.records.end(), std::back_inserter(written),
                 [](const Record& r) { return WillBeWritten(r); });
    const auto copies = CopiesOf(written, out.records);
    ASSERT_EQ(copies.size(), written.size());
    ASSERT_EQ(copies.empty() ? 0 : copies.back().second, out.records.size());
    const auto counts = [](const Record& r) {
        std::map<std::string, int> n;
        for (const Field& f : r) ++n[Upper(f.first)];
        return n;
    };
    for (std::size_t i = 0; i < written.size(); ++i) {
        std::map<std::string, int> inCounts = counts(written[i]);
        for (const Field& f : written[i]) {
            const std::string name = Upper(f.first);
            if ((name == "QSO_DATE" || name == "TIME_ON") && !Readable(f)) ++inCounts[name];
        }
        std::set<std::pair<std::string, std::string>> lastTimes;
        for (std::size_t o = copies[i].first; o < copies[i].second; ++o) {
            for (const auto& [name, n] : counts(out.records[o]))
                EXPECT_TRUE(n == 1 || inCounts[name] > 1)
                    << "contact " << i << " holds " << name << " " << n << " times";
            std::map<std::string, std::string> last;
            for (const Field& f : out.records[o]) last[Upper(f.first)] = f.second.value_or("");
            lastTimes.emplace(last["QSO_DATE"], last["TIME_ON"]);
        }
        if (UnreadDates(written[i]).empty()) {
            EXPECT_EQ(lastTimes.size(), copies[i].second - copies[i].first) << "contact " << i;
        }
    }
}

TEST(OneValuePerField, GoldenFiles) {
    int cases = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(SHIRL_TEST_DATA_DIR) / "golden")) {
        SCOPED_TRACE(entry.path().filename().string());
        std::string input = ReadFile(entry.path() / "input.adi");
        if (fs::exists(entry.path() / "input.log")) {
            // A Cabrillo log: the input is the ADIF made from it.
            const std::string log = ReadFile(entry.path() / "input.log");
            MemorySource bytes(log);
            CabrilloAdifSource made(bytes, {"Shirl", "1.0", "input.log"}, nullptr);
            StringSink sink;
            char buf[4096];
            for (std::size_t n; (n = made.Read(buf, sizeof buf)) != 0;) sink.Write(std::string_view(buf, n));
            input = sink.str();
        }
        ExpectOneValuePerField(input, ReadFile(entry.path() / "expected.adi"));
        ++cases;
    }
    EXPECT_GT(cases, 10);
}

TEST(OneValuePerField, SampleLogs) {
    if (!fs::is_directory(kSamples)) GTEST_SKIP() << "no sample logs at " << kSamples.string();
    for (const auto& entry : fs::directory_iterator(kSamples)) {
        const std::string name = entry.path().filename().string();
        if (name == "SOURCES.md") continue;
        SCOPED_TRACE(name);
        const std::string input = ReadFile(entry.path());
        MemorySource source(input);
        StringSink sink;
        RunReport report;
        const char* code = name.find("ksqp") != std::string::npos ? "KS" : "MULTI";
        const Selection selection = FindSelectionByCode(code).value_or(Selection());
        ConvertLogDetailed(source, sink, selection, true, "out.adi", report);
        ExpectOneValuePerField(input, sink.str());
    }
}

} // namespace
} // namespace shirl
