#include "adif/convert_log.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "adif/text_util.h"
#include "adif/writer.h"
#include "convert/convert_qso.h"
#include "data/gazetteer.h"
#include "data/selections.h"

namespace shirl {
namespace {

// Input is read 64 KiB at a time: the buffer stays in the cache, and a run
// on a small log does not pay for a large one (it grows for longer lines).
constexpr std::size_t kReadChunk = std::size_t{1} << 16;
// The first bytes are kept in memory while the reader finds out the line
// end and whether the file has a header; past this much it reads the
// input a second time instead (when it can).
constexpr std::size_t kPrescanKeep = std::size_t{8} << 20;

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

bool IsDigit(char c) { return IsAsciiDigit(c); }
bool IsAlnum(char c) { return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Finds "<eor>" and "<eoh>" in any letter case, one byte at a time, so
// that a tag split over two reads is still found.
class EndTagMatcher {
public:
    // Returns 'r' or 'h' when the byte completes <eor> or <eoh>, else 0.
    char Feed(char c) {
        const char l = Lower(c);
        switch (m_state) {
        case 1: m_state = (l == 'e') ? 2 : Restart(c); return 0;
        case 2: m_state = (l == 'o') ? 3 : Restart(c); return 0;
        case 3:
            if (l == 'r' || l == 'h') {
                m_which = l;
                m_state = 4;
            } else {
                m_state = Restart(c);
            }
            return 0;
        case 4:
            if (c == '>') {
                m_state = 0;
                return m_which;
            }
            m_state = Restart(c);
            return 0;
        default: m_state = Restart(c); return 0;
        }
    }

private:
    static int Restart(char c) { return c == '<' ? 1 : 0; }
    int m_state = 0;
    char m_which = 0;
};

// The length part of a tag: blanks, an optional sign, digits, and
// optionally ':' and a type indicator. Negative lengths read as 0 and
// lengths beyond what a size_t holds saturate.
bool ParseDeclaredLength(std::string_view text, std::size_t& length) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t digitsStart = i;
    std::size_t value = 0;
    bool saturated = false;
    while (i < text.size() && IsDigit(text[i])) {
        const std::size_t d = static_cast<std::size_t>(text[i] - '0');
        if (value > (std::numeric_limits<std::size_t>::max() - d) / 10) saturated = true;
        if (!saturated) value = value * 10 + d;
        ++i;
    }
    if (i == digitsStart) return false;
    if (i < text.size()) {
        if (text[i] != ':') return false;
        ++i;
        if (i == text.size()) return false;
        for (; i < text.size(); ++i)
            if (!IsAlnum(text[i])) return false;
    }
    if (saturated) value = std::numeric_limits<std::size_t>::max();
    length = negative ? 0 : value;
    return true;
}

// What a byte means while a tag's name is scanned, so that one pass both
// finds the end of the name and checks it: a byte of the name, a byte that
// may not stand in a name (blanks, '<', ',', '{' and '}'), or the ':', '>'
// or line feed that ends the name.
enum NameByte : unsigned char { kInName = 0, kNotInName = 1, kEndsName = 2 };
constexpr std::array<unsigned char, 256> kNameBytes = [] {
    std::array<unsigned char, 256> table{};
    for (unsigned char c : std::string_view(" \t\r\v\f<,{}")) table[c] = kNotInName;
    for (unsigned char c : std::string_view(":>\n")) table[c] = kEndsName;
    return table;
}();

// Whether a and b hold the same bytes. Names are short: up to 16 bytes
// take two fixed-size (overlapping) loads a side instead of a library call.
bool SameBytes(std::string_view a, std::string_view b) {
    const std::size_t n = a.size();
    if (n != b.size()) return false;
    if (n > 16) return a == b;
    if (n < 4) {
        for (std::size_t i = 0; i < n; ++i)
            if (a[i] != b[i]) return false;
        return true;
    }
    if (n < 8) {
        std::uint32_t a0, a1, b0, b1;
        std::memcpy(&a0, a.data(), 4);
        std::memcpy(&b0, b.data(), 4);
        std::memcpy(&a1, a.data() + n - 4, 4);
        std::memcpy(&b1, b.data() + n - 4, 4);
        return ((a0 ^ b0) | (a1 ^ b1)) == 0;
    }
    std::uint64_t a0, a1, b0, b1;
    std::memcpy(&a0, a.data(), 8);
    std::memcpy(&b0, b.data(), 8);
    std::memcpy(&a1, a.data() + n - 8, 8);
    std::memcpy(&b1, b.data() + n - 8, 8);
    return ((a0 ^ b0) | (a1 ^ b1)) == 0;
}

bool IsLeapYear(std::int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(std::int64_t y, int m) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (m == 2 && IsLeapYear(y)) ? 29 : kDays[m - 1];
}

class Reader {
public:
    Reader(ByteSource& input, ByteSink& output, int selection, bool addMobile, RunReport& report,
           const AbbrevList* list)
        : m_input(input), m_output(output), m_selection(selection), m_addMobile(addMobile), m_report(report),
          m_list(list) {}

    ConvertLogResult Run(std::optional<std::string_view> outputName);

private:
    void Prescan();
    bool Refill();
    void CopyHeader();
    void ReadRecords();
    void ParseTag();
    void Malformed();
    bool SkipToEor();
    void ReadValue(std::size_t length, std::string& value);
    AdifField& NewField();
    void ClearQso();
    void CompleteQso();
    void TakeDate(const std::string& value);
    void TakeTime(const std::string& value);

    ByteSource& m_input;
    ByteSink& m_output;
    int m_selection;
    bool m_addMobile;
    RunReport& m_report;
    const AbbrevList* m_list;

    std::vector<char> m_buf;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_eof = false;

    std::string_view m_lineEnd = kLineEndLf;
    bool m_headerless = false;
    bool m_skipToEor = false;

    // The fields of the QSO being read are m_slots[0, m_used); the slots
    // after them keep the storage of earlier QSOs for reuse.
    std::vector<AdifField> m_slots;
    std::size_t m_used = 0;

    bool m_haveDate = false;
    std::int64_t m_year = 0, m_hour = 0, m_minute = 0, m_second = 0;
    int m_month = 0, m_day = 0;

    RunCounters m_counters;
    int m_countiesConverted = 0;
};

ConvertLogResult Reader::Run(std::optional<std::string_view> outputName) {
    RebuildCountyIndex();
    m_buf.resize(kReadChunk);
    Prescan();
    if (!m_headerless) CopyHeader();
    ReadRecords();

    if (m_used != 0) {
        PushMessage(m_report.third, "QSO without <EOR> at end of file, skipping");
        ClearQso();
    }
    if (m_input.Failed()) PushMessage(m_report.third, "ERROR: Could not read the whole input file.");

    std::string converted = m_counters.countyLineCopies != 0 ? "\n" : "";
    converted += "Converted " + std::to_string(m_countiesConverted) + " " + std::string(SelectionName(m_selection)) +
                 " counties.";
    PushMessage(m_report.first, std::move(converted));
    std::string wrote = "Wrote " + std::to_string(m_counters.qsosWritten) + " QSOs";
    if (outputName) {
        wrote += " to ";
        wrote += *outputName;
    }
    PushMessage(m_report.first, std::move(wrote));
    return {m_countiesConverted, m_counters.qsosWritten, m_counters.countyLineCopies};
}

// Reads the first bytes to learn the output's line end (CR LF when the
// first line ends in CR LF) and whether a file starting with '<' has a
// header (an <eoh> before any <eor>) or starts right with its records.
void Reader::Prescan() {
    bool lineKnown = false;
    bool tagKnown = false;
    bool first = true;
    bool keep = true;
    char previous = 0;
    EndTagMatcher matcher;
    m_end = 0;
    while (!(lineKnown && tagKnown)) {
        if (keep && m_end == m_buf.size()) {
            if (m_end >= kPrescanKeep && m_input.CanRewind()) {
                keep = false;
            } else {
                m_buf.resize(m_buf.size() * 2);
            }
        }
        const std::size_t at = keep ? m_end : 0;
        const std::size_t n = m_input.Read(m_buf.data() + at, m_buf.size() - at);
        if (n == 0) break;
        for (std::size_t i = at; i < at + n && !(lineKnown && tagKnown); ++i) {
            const char c = m_buf[i];
            if (first) {
                first = false;
                if (c != '<') tagKnown = true;
            }
            if (!lineKnown && c == '\n') {
                lineKnown = true;
                if (previous == '\r') m_lineEnd = kLineEndCrLf;
            }
            if (!tagKnown) {
                const char which = matcher.Feed(c);
                if (which != 0) {
                    tagKnown = true;
                    m_headerless = which == 'r';
                }
            }
            previous = c;
        }
        if (keep) m_end = at + n;
    }
    m_pos = 0;
    if (!keep) {
        m_end = 0;
        if (!m_input.Rewind()) m_eof = true;
    }
}

// Keeps the unread bytes [m_pos, m_end) (moved to the front) and reads
// more after them. False when nothing more could be read.
bool Reader::Refill() {
    if (m_eof) return false;
    if (m_pos != 0) {
        const std::size_t kept = m_end - m_pos;
        if (kept != 0) std::memmove(m_buf.data(), m_buf.data() + m_pos, kept);
        m_pos = 0;
        m_end = kept;
    }
    if (m_end == m_buf.size()) m_buf.resize(m_buf.size() * 2);
    const std::size_t n = m_input.Read(m_buf.data() + m_end, m_buf.size() - m_end);
    if (n == 0) {
        m_eof = true;
        return false;
    }
    m_end += n;
    return true;
}

// Header mode: lines are copied as they are, up to and including the
// line that holds <eoh> (any letter case); then one line end.
void Reader::CopyHeader() {
    EndTagMatcher matcher;
    bool eohSeen = false;
    for (;;) {
        if (m_pos == m_end && !Refill()) {
            if (eohSeen) m_output.Write(m_lineEnd);
            return;
        }
        const char* start = m_buf.data() + m_pos;
        const std::size_t avail = m_end - m_pos;
        const void* nl = std::memchr(start, '\n', avail);
        const std::size_t segment = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - start) + 1 : avail;
        for (std::size_t i = 0; i < segment && !eohSeen; ++i)
            if (matcher.Feed(start[i]) == 'h') eohSeen = true;
        m_output.Write(std::string_view(start, segment));
        m_pos += segment;
        if (nl != nullptr && eohSeen) {
            m_output.Write(m_lineEnd);
            return;
        }
    }
}

void Reader::ReadRecords() {
    for (;;) {
        if (m_skipToEor && !SkipToEor()) return;
        if (m_pos == m_end && !Refill()) return;
        const char* start = m_buf.data() + m_pos;
        // Tags mostly follow each other after one blank.
        if (*start == '<') {
            ParseTag();
            continue;
        }
        if (m_end - m_pos > 1 && start[1] == '<') {
            ++m_pos;
            ParseTag();
            continue;
        }
        const void* lt = std::memchr(start, '<', m_end - m_pos);
        if (lt == nullptr) {
            m_pos = m_end; // text between tags is ignored
            continue;
        }
        m_pos += static_cast<std::size_t>(static_cast<const char*>(lt) - start);
        ParseTag();
    }
}

// Resumes after the next <eor> (any letter case), starting at m_pos.
bool Reader::SkipToEor() {
    EndTagMatcher matcher;
    for (;;) {
        if (m_pos == m_end && !Refill()) return false;
        for (; m_pos < m_end; ++m_pos) {
            if (matcher.Feed(m_buf[m_pos]) == 'r') {
                ++m_pos;
                m_skipToEor = false;
                return true;
            }
        }
    }
}

// m_pos is at a '<'.
void Reader::ParseTag() {
    // The first ':' or '>' on this line.
    std::size_t k = 1;
    char stop = 0;
    unsigned char badName = 0;
    for (;;) {
        const char* const base = m_buf.data() + m_pos;
        const std::size_t available = m_end - m_pos;
        // Eight bytes at a time while none of them ends the name.
        while (available - k >= 8) {
            const unsigned char* const b = reinterpret_cast<const unsigned char*>(base + k);
            const unsigned char kinds = static_cast<unsigned char>(
                kNameBytes[b[0]] | kNameBytes[b[1]] | kNameBytes[b[2]] | kNameBytes[b[3]] | kNameBytes[b[4]] |
                kNameBytes[b[5]] | kNameBytes[b[6]] | kNameBytes[b[7]]);
            if ((kinds & kEndsName) != 0) break;
            badName |= kinds;
            k += 8;
        }
        for (; k < available; ++k) {
            const char c = base[k];
            const unsigned char kind = kNameBytes[static_cast<unsigned char>(c)];
            if (kind == kEndsName) {
                stop = c;
                break;
            }
            badName |= kind;
        }
        if (stop != 0 || !Refill()) break;
    }
    if (stop != ':' && stop != '>') return Malformed();
    const std::size_t nameEnd = k;
    std::size_t length = 0;
    bool hasValue = false;
    if (stop == ':') {
        ++k;
        hasValue = true;
        // The usual length: a few digits right before the '>', all in the
        // buffer, read as they are scanned. Anything else (blanks, a sign, a
        // type, many digits, the end of the buffer) takes the general way.
        const char* const digits = m_buf.data() + m_pos;
        const std::size_t available = m_end - m_pos;
        std::size_t j = k;
        std::size_t value = 0;
        while (j < available && j - k < 9 && IsDigit(digits[j])) {
            value = value * 10 + static_cast<std::size_t>(digits[j] - '0');
            ++j;
        }
        if (j > k && j < available && digits[j] == '>') {
            length = value;
            k = j;
        } else {
            char stop2 = 0;
            for (;;) {
                const char* const base = m_buf.data() + m_pos;
                const std::size_t end = m_end - m_pos;
                for (; k < end; ++k) {
                    const char c = base[k];
                    if (c == '>' || c == '\n') {
                        stop2 = c;
                        break;
                    }
                }
                if (stop2 != 0 || !Refill()) break;
            }
            if (stop2 != '>') return Malformed();
            const std::string_view lengthText(m_buf.data() + m_pos + nameEnd + 1, k - nameEnd - 1);
            if (!ParseDeclaredLength(lengthText, length)) return Malformed();
        }
    }
    const std::string_view name(m_buf.data() + m_pos + 1, nameEnd - 1);
    if (name.empty() || badName != 0) return Malformed();

    if (m_used >= kMaxQsoFields) {
        PushMessage(m_report.third, "QSO has too many ADIF fields (> " + std::to_string(kMaxQsoFields) + ")");
        ClearQso();
        m_skipToEor = true; // from this tag's '<': a tag that is itself <EOR> ends the skip
        return;
    }

    AdifField& field = NewField();
    // A reused slot often holds the same name.
    if (!SameBytes(field.name, name)) {
        field.name.clear();
        field.name.append(name);
    }

    m_pos += k + 1;
    if (hasValue) {
        if (!field.value) field.value.emplace();
        ReadValue(length, *field.value);
    } else {
        field.value.reset();
    }

    const std::string_view fieldName = field.name;
    if (fieldName.size() == 3 && EqualsNoCase(fieldName, "EOR")) return CompleteQso();
    if (field.value) {
        if (EqualsNoCase(fieldName, "QSO_DATE")) {
            TakeDate(*field.value);
        } else if (EqualsNoCase(fieldName, "TIME_ON")) {
            TakeTime(*field.value);
        }
    }
}

// Reports the malformed tag at m_pos with the rest of its line, drops the
// QSO in progress and skips to the next <eor>.
void Reader::Malformed() {
    std::size_t k = 0;
    for (;;) {
        const void* nl = std::memchr(m_buf.data() + m_pos + k, '\n', m_end - m_pos - k);
        if (nl != nullptr) {
            k = static_cast<std::size_t>(static_cast<const char*>(nl) - (m_buf.data() + m_pos));
            break;
        }
        k = m_end - m_pos;
        if (!Refill()) break;
    }
    std::string_view text(m_buf.data() + m_pos, k);
    while (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    std::string message = "Malformed ADIF tag, skipping QSO: [";
    message.append(text);
    message += ']';
    PushMessage(m_report.third, std::move(message));
    ClearQso();
    m_skipToEor = true;
}

// The value is exactly the next `length` bytes of the input, line ends
// included, or what is left of the input when it ends sooner.
void Reader::ReadValue(std::size_t length, std::string& value) {
    if (length <= m_end - m_pos) { // the usual case: all of it is in the buffer
        // clear() and append() into the reused storage: cheaper than the
        // general replace that assign() goes through.
        value.clear();
        value.append(m_buf.data() + m_pos, length);
        m_pos += length;
        return;
    }
    value.clear();
    while (length != 0) {
        if (m_pos == m_end && !Refill()) return;
        const std::size_t n = std::min(length, m_end - m_pos);
        value.append(m_buf.data() + m_pos, n);
        m_pos += n;
        length -= n;
    }
}

AdifField& Reader::NewField() {
    if (m_used == m_slots.size()) m_slots.emplace_back();
    return m_slots[m_used++];
}

void Reader::ClearQso() { m_used = 0; }

void Reader::TakeDate(const std::string& value) {
    bool ok = value.size() == 8 && std::all_of(value.begin(), value.end(), IsDigit);
    std::int64_t year = 0;
    int month = 0, day = 0;
    if (ok) {
        year = (value[0] - '0') * 1000 + (value[1] - '0') * 100 + (value[2] - '0') * 10 + (value[3] - '0');
        month = (value[4] - '0') * 10 + (value[5] - '0');
        day = (value[6] - '0') * 10 + (value[7] - '0');
        ok = year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
    }
    if (!ok) {
        PushMessage(m_report.third, "Could not parse date " + value);
        return;
    }
    m_year = year;
    m_month = month;
    m_day = day;
    m_haveDate = true;
}

void Reader::TakeTime(const std::string& value) {
    const std::int64_t v = ReadDecimal(value);
    if (value.size() == 4) {
        m_hour = v / 100;
        m_minute = v % 100;
        m_second = 0;
    } else if (value.size() == 6) {
        m_hour = v / 10000;
        m_minute = (v / 100) % 100;
        m_second = v % 100;
    } else {
        PushMessage(m_report.third, "Could not parse time " + value);
    }
}

void Reader::CompleteQso() {
    std::optional<std::int64_t> time;
    const bool inRange = m_hour >= 0 && m_hour < 24 && m_minute >= 0 && m_minute < 60 && m_second >= 0 && m_second < 60;
    if (m_haveDate && inRange) {
        time = DaysFromCivil(m_year, m_month, m_day) * 86400 + m_hour * 3600 + m_minute * 60 + m_second;
    } else if (m_haveDate) {
        // Parts out of range roll over (24:00 is 00:00 of the next day);
        // the run keeps the normalised values for the QSOs that follow.
        const std::int64_t seconds =
            DaysFromCivil(m_year, m_month, m_day) * 86400 + m_hour * 3600 + m_minute * 60 + m_second;
        time = seconds;
        std::int64_t days = seconds / 86400;
        std::int64_t rest = seconds % 86400;
        if (rest < 0) {
            rest += 86400;
            --days;
        }
        const CivilDate date = CivilFromDays(days);
        m_year = date.year;
        m_month = date.month;
        m_day = date.day;
        m_hour = rest / 3600;
        m_minute = rest / 60 % 60;
        m_second = rest % 60;
    }
    m_countiesConverted += ConvertQso(RecordOutput{m_output, m_lineEnd}, m_selection, m_addMobile,
                                      std::span<AdifField>(m_slots.data(), m_used), time,
                                      m_counters, m_report, m_list);
    ClearQso();
}

} // namespace

ConvertLogResult ConvertLogDetailed(ByteSource& input, ByteSink& output, int selection, bool addMobile,
                                    std::optional<std::string_view> outputName, RunReport& report,
                                    const AbbrevList* list) {
    Reader reader(input, output, selection, addMobile, report, list);
    return reader.Run(outputName);
}

int ConvertLog(ByteSource& input, ByteSink& output, int selection, bool addMobile,
               std::optional<std::string_view> outputName, RunReport& report, const AbbrevList* list) {
    return ConvertLogDetailed(input, output, selection, addMobile, outputName, report, list).countiesConverted;
}

} // namespace shirl
