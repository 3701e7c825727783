#include "adif/reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "base/text_util.h"

namespace shirl {
namespace {

// Input is read 64 KiB at a time: the buffer stays in the cache, and a run
// on a small log does not pay for a large one (it grows for longer lines).
constexpr std::size_t kReadChunk = std::size_t{1} << 16;
// The first bytes are kept in memory while the reader finds out the line
// end and whether the file has a header; past this much it reads the
// input a second time instead (when it can).
constexpr std::size_t kPrescanKeep = std::size_t{8} << 20;
// How many blanks after a value the reader looks through for the next tag
// when it checks whether the value's length counts characters; beyond that
// the length stands as a count of bytes (and memory stays bounded).
constexpr std::size_t kBlankLookAhead = 1024;

bool IsAsciiAlnum(char c) { return IsAsciiDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

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

// Where the first '<' of p[0, n) is, or n. A tag mostly follows its field
// after one blank or line feed: the first two bytes are looked at before
// memchr is called, which spares the call on almost every tag.
std::size_t TagOffset(const char* p, std::size_t n) {
    if (n != 0 && p[0] == '<') return 0;
    if (n > 1 && p[1] == '<') return 1;
    if (n <= 2) return n;
    const void* lt = std::memchr(p + 2, '<', n - 2);
    return lt == nullptr ? n : static_cast<std::size_t>(static_cast<const char*>(lt) - p);
}

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
    for (; i < text.size() && IsAsciiDigit(text[i]); ++i) {
        const auto d = static_cast<std::size_t>(text[i] - '0');
        if (value > (std::numeric_limits<std::size_t>::max() - d) / 10) saturated = true;
        if (!saturated) value = value * 10 + d;
    }
    if (i == digitsStart) return false;
    if (i < text.size()) {
        if (text[i++] != ':' || i == text.size()) return false;
        for (; i < text.size(); ++i)
            if (!IsAsciiAlnum(text[i])) return false;
    }
    if (saturated) value = std::numeric_limits<std::size_t>::max();
    length = negative ? 0 : value;
    return true;
}

// Whether a value holds an <eor> with a tag after it: its length has taken
// in the end of its record and what follows.
// Whether `size` bytes at `data` hold a '<'; most values are a few bytes,
// looked at without a call.
bool HoldsLessThan(const char* data, std::size_t size) {
    if (size > 16) return std::memchr(data, '<', size) != nullptr;
    for (std::size_t i = 0; i < size; ++i)
        if (data[i] == '<') return true;
    return false;
}

bool SwallowsRecord(std::string_view value) {
    EndTagMatcher matcher;
    for (std::size_t i = value.find('<'); i < value.size(); ++i)
        if (matcher.Feed(value[i]) == 'r') return value.find('<', i) != std::string_view::npos;
    return false;
}

bool IsNameByte(char c) { return IsAsciiAlnum(c) || c == '_'; }

} // namespace

bool AdifEvidence::HoldsAdifField(std::string_view text) {
    for (std::size_t lt = text.find('<'); lt != std::string_view::npos; lt = text.find('<', lt + 1)) {
        std::size_t i = lt + 1;
        while (i < text.size() && IsNameByte(text[i])) ++i;
        if (i == lt + 1 || i == text.size() || text[i++] != ':') continue;
        const std::size_t digits = i;
        while (i < text.size() && IsAsciiDigit(text[i])) ++i;
        if (i == digits || i == text.size()) continue;
        if (text[i] == ':' && i + 2 < text.size() && IsAsciiAlnum(text[i + 1])) i += 2;
        if (text[i] == '>') return true;
    }
    return false;
}

AdifReader::AdifReader(ByteSource& input) : m_input(input) {}

AdifReader::Event AdifReader::Next() {
    if (m_recordEnding) EndRecord();
    m_bytes = {};
    m_name = {};
    m_value = {};
    m_fieldText = {};
    m_hasValue = false;
    m_characterCounted = false;
    m_text.clear();
    if (m_state == State::Start) {
        m_buf = std::vector<char>(kReadChunk);
        Prescan();
        m_state = m_headerless ? State::Records : State::Header;
    }
    if (m_state == State::Header) {
        if (const std::optional<Event> piece = NextHeaderPiece()) return *piece;
    }
    return NextRecordEvent(); // called from here only, so that it is inlined
}

// Reads the first bytes to learn the line end (CR LF when the first line
// ends in CR LF) and whether a file starting with '<' has a header (an
// <eoh> before any <eor>) or starts right with its records.
void AdifReader::Prescan() {
    bool lineKnown = false, tagKnown = false, first = true, keep = true;
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
                tagKnown = c != '<';
            }
            if (!lineKnown && c == '\n') {
                lineKnown = true;
                if (previous == '\r') m_lineEnd = "\r\n";
            }
            if (const char which = tagKnown ? 0 : matcher.Feed(c); which != 0) {
                tagKnown = true;
                m_headerless = which == 'r';
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

// The record's views are no longer needed: its kept buffers are released.
void AdifReader::EndRecord() {
    if (!m_kept.empty()) {
        m_spare = std::move(m_kept.back());
        m_kept.clear();
    }
    m_valueCopiesUsed = 0;
    m_bufferHoldsRecord = m_recordEnding = false;
}

std::size_t AdifReader::Line() const {
    CountLinesTo(m_pos);
    return m_line;
}

void AdifReader::CountLinesTo(std::size_t pos) const {
    const char* at = m_buf.data() + m_counted;
    const char* const end = m_buf.data() + pos;
    while (at < end) {
        const void* nl = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
        if (nl == nullptr) break;
        ++m_line;
        at = static_cast<const char*>(nl) + 1;
    }
    m_counted = pos;
}

// Keeps the unread bytes [m_pos, m_end) (moved to the front) and reads
// more after them. False when nothing more could be read. While the buffer
// holds fields of the open record, the unread bytes go to another buffer
// instead, so that the views of the record's fields stay valid.
bool AdifReader::Refill() {
    if (m_eof) return false;
    CountLinesTo(m_pos); // the bytes before m_pos are dropped or left behind
    m_counted = 0;
    if (m_bufferHoldsRecord) {
        std::vector<char> next = std::move(m_spare);
        next.resize(std::max(m_buf.size(), kReadChunk));
        const std::size_t kept = m_end - m_pos;
        if (kept != 0) std::memcpy(next.data(), m_buf.data() + m_pos, kept);
        m_kept.push_back(std::move(m_buf));
        m_buf = std::move(next);
        m_pos = 0;
        m_end = kept;
        m_bufferHoldsRecord = false;
    } else if (m_pos != 0) {
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

// The header is handed out a line at a time (or what the buffer holds of a
// long line), up to and including the line that holds <eoh> in any case.
// When a tag follows <eoh> on its line (a log written on one line), the
// header ends with the <eoh> tag and a line end, and the tag starts the
// records.
std::optional<AdifReader::Event> AdifReader::NextHeaderPiece() {
    if (m_headerSplit) {
        m_headerSplit = false;
        m_bytes = m_lineEnd;
        return Event::HeaderBytes;
    }
    if (!m_heldBlanks.empty() && m_pos == m_end && !Refill()) {
        m_headerEndPending = true; // the input ended after blanks that follow <eoh>: they were header text
        return ReleaseHeldBlanks();
    }
    if (m_headerEndPending || (m_pos == m_end && !Refill())) {
        m_state = State::Records;
        if (m_eohSeen) return Event::EndOfHeader;
        return std::nullopt; // the input ended inside the header: on to the records
    }
    const char* start = m_buf.data() + m_pos;
    const std::size_t available = m_end - m_pos;
    const void* nl = std::memchr(start, '\n', available);
    std::size_t size = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - start) + 1 : available;
    std::size_t i = 0;
    const bool eohBefore = m_eohSeen;
    while (i < size && !m_eohSeen) m_eohSeen = m_headerMatcher.Feed(start[i++]) == 'h';
    if (m_eohSeen) {
        // Blanks between <eoh> and a tag on its line stay out of the header,
        // also where the input arrived in pieces between them: they are
        // held until the line shows what follows them.
        const std::string_view rest(start + i, size - i);
        const std::size_t lt = rest.find('<');
        const auto blanks = static_cast<std::size_t>(std::find_if_not(rest.begin(), rest.end(), IsCSpace) - rest.begin());
        // Nothing but blanks since <eoh>, and few enough to hold: a longer
        // run is header text, however the input was cut.
        const bool clean = (!eohBefore || m_blanksAfterEoh) && m_heldBlanks.size() + blanks <= kMostHeldBlanks;
        if (clean && lt != std::string_view::npos && blanks >= lt) {
            m_heldBlanks.clear();
            m_headerSplit = true;
            nl = nullptr;
            size = i;
            m_pos += lt;
        } else if (clean && blanks == rest.size() && nl == nullptr) {
            m_heldBlanks.append(rest);
            m_blanksAfterEoh = true;
            size = i;
            m_pos += rest.size();
        } else {
            m_blanksAfterEoh = false;
            if (!m_heldBlanks.empty()) return ReleaseHeldBlanks();
            if (lt != std::string_view::npos) {
                m_headerSplit = true;
                nl = nullptr;
                size = i + lt;
            }
        }
    }
    m_bytes = std::string_view(start, size);
    m_pos += size;
    m_headerEndPending = (nl != nullptr || m_headerSplit) && m_eohSeen;
    return Event::HeaderBytes;
}

// The blanks held after <eoh>, handed out as header text after all.
AdifReader::Event AdifReader::ReleaseHeldBlanks() {
    m_releasedBlanks = std::move(m_heldBlanks);
    m_heldBlanks.clear();
    m_bytes = m_releasedBlanks;
    return Event::HeaderBytes;
}

// Text between tags is ignored, and so is a '<' that starts no tag.
AdifReader::Event AdifReader::NextRecordEvent() {
    for (;;) {
        if (m_skipToEor && !SkipToEor()) return Event::End;
        if (m_pos == m_end && !Refill()) return Event::End;
        const std::size_t offset = TagOffset(m_buf.data() + m_pos, m_end - m_pos);
        m_pos += offset;
        if (m_pos == m_end) continue;
        if (const std::optional<Event> event = ReadTag()) return *event;
        ++m_pos; // a stray '<': text between fields
        ++m_strays;
    }
}

// m_pos is at a '<'; nullopt when it starts no tag.
std::optional<AdifReader::Event> AdifReader::ReadTag() {
    std::size_t k = 1; // offsets from m_pos, which a refill keeps
    char stop = 0;
    const TagStart start = FindNameEnd(k, stop);
    if (start == TagStart::Stray) return std::nullopt;
    if (start == TagStart::Malformed) return Malformed();
    const std::size_t nameEnd = k;
    std::size_t length = 0;
    const bool hasValue = stop == ':';
    bool plain = true;
    if (hasValue && !ReadLength(nameEnd, k, length, plain)) return Malformed();
    if (m_tagsInRecord >= kMaxRecordFields) return TooManyFields();
    if (hasValue && RunsOverValue(k, length)) {
        const std::string_view tagText(m_buf.data() + m_pos, k + 1);
        m_pos += k + 1;
        return BadLength(tagText, "its length runs past the end of the input");
    }

    if (m_tagsInRecord == 0) m_recordLine = Line(); // m_pos is at the record's first tag
    const char* const tag = m_buf.data() + m_pos;
    const char* const valueStart = tag + k + 1;
    m_pos += k + 1;
    m_bufferHoldsRecord = true; // a refill while the value is read keeps the tag where it is
    if (hasValue && !ReadValue(length)) return BadLength(std::string_view(tag, k + 1), "its length takes in the next record");
    ++m_tagsInRecord;
    m_name = std::string_view(tag + 1, nameEnd - 1);
    m_hasValue = hasValue;
    if (hasValue) plain = plain && m_value.data() == valueStart; // the value stands right after its tag
    if (plain) {
        const char* const end = hasValue ? m_value.data() + m_value.size() : valueStart;
        m_fieldText = std::string_view(tag, static_cast<std::size_t>(end - tag));
    }
    if (m_name.size() == 3 && EqualsNoCase(m_name, "EOR")) {
        m_tagsInRecord = 0;
        m_recordEnding = true;
        return Event::EndOfRecord;
    }
    return Event::Field;
}

// From m_pos + k on, finds the ':' or '>' that ends the name. A '<' starts
// no tag when the line, the input or another '<' comes first, or when the
// name would be empty or hold a blank; a name with another byte that may
// not stand in one is a malformed tag.
AdifReader::TagStart AdifReader::FindNameEnd(std::size_t& k, char& stop) {
    bool blank = false, badName = false;
    for (;;) {
        const char* const base = m_buf.data() + m_pos;
        const std::size_t available = m_end - m_pos;
        const auto kind = [base](std::size_t at) { return kNameBytes[static_cast<unsigned char>(base[at])]; };
        while (k + 4 <= available && (kind(k) | kind(k + 1) | kind(k + 2) | kind(k + 3)) == kInName) k += 4;
        while (k < available && kind(k) == kInName) ++k;
        if (k == available) {
            if (!Refill()) return TagStart::Stray;
            continue;
        }
        const char c = base[k];
        if (kNameBytes[static_cast<unsigned char>(c)] == kNotInName) {
            if (c == '<') return TagStart::Stray;
            if (IsCSpace(c)) blank = true;
            else badName = true;
            ++k;
            continue;
        }
        if (c == '\n' || k == 1 || blank) return TagStart::Stray;
        stop = c;
        return badName ? TagStart::Malformed : TagStart::Tag;
    }
}

// k is at the ':' after the name; on success k is at the '>' and `length`
// holds the declared length. `plain` tells whether it was written as
// WriteField writes it (digits without a leading zero).
bool AdifReader::ReadLength(std::size_t nameEnd, std::size_t& k, std::size_t& length, bool& plain) {
    ++k;
    if (ReadPlainLength(k, length)) return true;
    plain = false;
    for (;;) {
        const char* const base = m_buf.data() + m_pos;
        const std::size_t available = m_end - m_pos;
        for (; k < available; ++k) {
            if (base[k] == '\n') return false;
            if (base[k] == '>')
                return ParseDeclaredLength(std::string_view(base + nameEnd + 1, k - nameEnd - 1), length);
        }
        if (!Refill()) return false;
    }
}

// The usual length: up to 9 digits right before the '>', all in the buffer,
// without a leading zero, read as they are scanned (saves the general parse
// on almost every tag).
bool AdifReader::ReadPlainLength(std::size_t& k, std::size_t& length) const {
    const char* const base = m_buf.data() + m_pos;
    const std::size_t available = m_end - m_pos;
    std::size_t j = k, value = 0;
    for (; j < available && j - k < 9 && IsAsciiDigit(base[j]); ++j) value = value * 10 + static_cast<std::size_t>(base[j] - '0');
    if (j == k || j == available || base[j] != '>') return false;
    if (base[k] == '0' && j - k > 1) return false; // a leading zero: not as WriteField writes it
    k = j;
    length = value;
    return true;
}

// The malformed tag at m_pos with the rest of its line; the reader then
// skips to the next <eor>.
AdifReader::Event AdifReader::Malformed() {
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
    std::string_view line(m_buf.data() + m_pos, k);
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    m_problemTag.assign(line);
    m_problemLine = Line();
    m_problem = Event::Malformed;
    m_text = DroppedText({});
    m_tagsInRecord = 0;
    m_recordEnding = true;
    m_skipToEor = true;
    return Event::Malformed;
}

// The skip starts at this tag's '<': a tag that is itself <EOR> ends it.
AdifReader::Event AdifReader::TooManyFields() {
    m_problemLine = Line();
    m_problem = Event::TooManyFields;
    m_text = DroppedText({});
    m_tagsInRecord = 0;
    m_recordEnding = true;
    m_skipToEor = true;
    return Event::TooManyFields;
}

std::string AdifReader::DroppedTextOf(Event problem, std::size_t problemLine, std::string_view tag,
                                      std::string_view call) {
    const std::string line = std::to_string(problemLine);
    std::string with;
    if (!call.empty()) with.append(" with ").append(call);
    if (problem == Event::TooManyFields)
        return "QSO" + with + " in line " + line + " has too many ADIF fields (> " + std::to_string(kMaxRecordFields) +
               "), skipping it";
    return "Malformed ADIF tag in line " + line + ", skipping QSO" + with + ": [" + std::string(tag) + "]";
}

// The tag (m_pos right after it) is left out; the record goes on.
AdifReader::Event AdifReader::BadLength(std::string_view tag, std::string_view why) {
    m_text.assign("Malformed ADIF tag in line ").append(std::to_string(Line())).append(" (").append(why);
    m_text.append("), skipping the field: [").append(tag).append("]");
    return Event::BadLength;
}

// Whether a value of `length` bytes after the '>' at m_pos + k would run
// past the end of the input (which is read on as far as the value goes).
bool AdifReader::RunsOverValue(std::size_t k, std::size_t length) {
    if (length == 0) return false;
    return length > std::numeric_limits<std::size_t>::max() - k || !ByteAvailable(k + length);
}

// Resumes after the next <eor> (any letter case), starting at m_pos.
bool AdifReader::SkipToEor() {
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

// The value is the next `length` bytes of the input, line ends included (all
// in the buffer: RunsOverValue has read them); or, where that would lose
// text, `length` characters (ReadByCharactersIfCertain). False, with
// nothing read, when the bytes take in the end of the record and a tag
// after it, and text rather than a tag follows them (a value that holds an
// <EOR> and ends right before a tag is a value).
bool AdifReader::ReadValue(std::size_t length) {
    if (HoldsLessThan(m_buf.data() + m_pos, length) &&
        SwallowsRecord(std::string_view(m_buf.data() + m_pos, length)) && TextFollows(length)) [[unlikely]]
        return false;
    m_value = std::string_view(m_buf.data() + m_pos, length); // (TextFollows may have moved the buffer)
    m_pos += length;
    m_bufferHoldsRecord = true; // also where TextFollows moved the value to a fresh buffer
    if (!TagFollowsInBuffer()) [[unlikely]]
        ReadByCharactersIfCertain(length);
    return true;
}

// A cleared string for a value that is not whole in the buffer.
std::string& AdifReader::NewValueCopy() {
    if (m_valueCopiesUsed == m_valueCopies.size()) m_valueCopies.emplace_back();
    std::string& copy = m_valueCopies[m_valueCopiesUsed++];
    copy.clear();
    return copy;
}

// Whether the buffer shows blanks and then a tag right after the value: the
// usual case, in which reading by bytes loses nothing.
bool AdifReader::TagFollowsInBuffer() {
    const char* const p = m_buf.data() + m_pos;
    const std::size_t n = m_end - m_pos;
    if (n > 1 && (p[0] == '<' || (p[1] == '<' && (p[0] == ' ' || p[0] == '\n')))) return true; // the usual case
    std::size_t i = 0;
    while (i < n && IsCSpace(p[i])) ++i;
    return i != n && p[i] == '<';
}

// Whether the byte at m_pos + k is in the buffer, reading on as needed (a
// refill keeps the bytes from m_pos). False at the end of the input.
bool AdifReader::ByteAvailable(std::size_t k) {
    while (m_end - m_pos <= k)
        if (!Refill()) return false;
    return true;
}

// Whether non-blank text stands between m_pos + from and the next tag (looking
// through at most kBlankLookAhead blanks).
bool AdifReader::TextFollows(std::size_t from) {
    for (std::size_t k = from; k <= from + kBlankLookAhead && ByteAvailable(k); ++k) {
        const char c = m_buf[m_pos + k];
        if (!IsCSpace(c)) return c != '<';
    }
    return false;
}

// Byte i of the value read on past its byte count: m_value, then the input
// from m_pos. -1 past the end of the input.
int AdifReader::ValueByte(std::size_t i) {
    if (i < m_value.size()) return static_cast<unsigned char>(m_value[i]);
    const std::size_t k = i - m_value.size();
    return ByteAvailable(k) ? static_cast<unsigned char>(m_buf[m_pos + k]) : -1;
}

// The number of bytes of the first `count` UTF-8 characters of the value
// read on, or nullopt when they are not valid UTF-8 (overlong forms,
// surrogates and code points beyond U+10FFFF included) or the input ends
// first.
std::optional<std::size_t> AdifReader::CharacterEnd(std::size_t count) {
    std::size_t i = 0;
    for (std::size_t c = 0; c < count; ++c) {
        const int lead = ValueByte(i);
        if (lead < 0) return std::nullopt;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t size = 0;
        int low = 0x80, high = 0xBF; // the range of the second byte
        if (lead < 0xC2 || lead > 0xF4) return std::nullopt;
        if (lead < 0xE0) {
            size = 2;
        } else if (lead < 0xF0) {
            size = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else {
            size = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        }
        for (std::size_t j = 1; j < size; ++j) {
            const int next = ValueByte(i + j);
            if (next < low || next > high) return std::nullopt;
            low = 0x80;
            high = 0xBF;
        }
        i += size;
    }
    return i;
}

// The value was read as `count` bytes (m_value, m_pos right after it). When
// text stands between it and the next tag, and `count` UTF-8 characters
// from its start are valid and followed only by blanks and then a tag or the
// end of the input, the length counted characters: the value is read on to
// there.
void AdifReader::ReadByCharactersIfCertain(std::size_t count) {
    if (!TextFollows()) return;
    if (std::all_of(m_value.begin(), m_value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return; // as many characters as bytes: the same value
    const std::optional<std::size_t> end = CharacterEnd(count);
    if (!end || *end <= m_value.size()) return;
    const std::size_t more = *end - m_value.size();
    for (std::size_t k = more;; ++k) {
        if (k - more > kBlankLookAhead) return;
        if (!ByteAvailable(k) || m_buf[m_pos + k] == '<') break;
        if (!IsCSpace(m_buf[m_pos + k])) return;
    }
    const char* const rest = m_buf.data() + m_pos;
    if (m_value.data() + m_value.size() == rest) {
        m_value = std::string_view(m_value.data(), *end); // still in one piece in the buffer
    } else {
        const bool copied = m_valueCopiesUsed != 0 && m_value.data() == m_valueCopies[m_valueCopiesUsed - 1].data();
        std::string& copy = copied ? m_valueCopies[m_valueCopiesUsed - 1] : NewValueCopy().assign(m_value);
        copy.append(rest, more);
        m_value = copy;
    }
    m_pos += more;
    m_characterCounted = true;
    ++m_characterCountedValues;
}

} // namespace shirl
