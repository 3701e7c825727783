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

} // namespace

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
        m_buf = m_buffers != nullptr ? m_buffers->Fresh(0) : std::vector<char>(kReadChunk);
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

// Keeps the unread bytes [m_pos, m_end) (moved to the front) and reads
// more after them. False when nothing more could be read. While the buffer
// holds fields of the open record, the unread bytes go to another buffer
// instead, so that the views of the record's fields stay valid.
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

bool AdifReader::Refill() {
    if (m_eof) return false;
    CountLinesTo(m_pos); // the bytes before m_pos are dropped or left behind
    m_counted = 0;
    if (m_buffers != nullptr) {
        HandOverBuffer();
    } else if (m_bufferHoldsRecord) {
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

// The unread bytes go to a fresh buffer of the hook's and the old one to
// the hook, which may still hand it on with the fields that point into it.
void AdifReader::HandOverBuffer() {
    const std::size_t kept = m_end - m_pos;
    std::vector<char> next = m_buffers->Fresh(kept);
    if (kept != 0) std::memcpy(next.data(), m_buf.data() + m_pos, kept);
    std::swap(m_buf, next);
    m_buffers->Retire(std::move(next), m_bufferHoldsRecord);
    m_pos = 0;
    m_end = kept;
    m_bufferHoldsRecord = false;
}

// The header is handed out a line at a time (or what the buffer holds of a
// long line), up to and including the line that holds <eoh> in any case.
std::optional<AdifReader::Event> AdifReader::NextHeaderPiece() {
    if (m_headerEndPending || (m_pos == m_end && !Refill())) {
        m_state = State::Records;
        if (m_eohSeen) return Event::EndOfHeader;
        return std::nullopt; // the input ended inside the header: on to the records
    }
    const char* start = m_buf.data() + m_pos;
    const std::size_t available = m_end - m_pos;
    const void* nl = std::memchr(start, '\n', available);
    const std::size_t size = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - start) + 1 : available;
    for (std::size_t i = 0; i < size && !m_eohSeen; ++i) m_eohSeen = m_headerMatcher.Feed(start[i]) == 'h';
    m_bytes = std::string_view(start, size);
    m_pos += size;
    m_headerEndPending = nl != nullptr && m_eohSeen;
    return Event::HeaderBytes;
}

// Text between tags is ignored.
AdifReader::Event AdifReader::NextRecordEvent() {
    for (;;) {
        if (m_skipToEor && !SkipToEor()) return Event::End;
        if (m_pos == m_end && !Refill()) return Event::End;
        const std::size_t offset = TagOffset(m_buf.data() + m_pos, m_end - m_pos);
        m_pos += offset;
        if (m_pos == m_end) continue;
        return ReadTag();
    }
}

// m_pos is at a '<'.
AdifReader::Event AdifReader::ReadTag() {
    std::size_t k = 1; // offsets from m_pos, which a refill keeps
    char stop = 0;
    bool badName = false;
    if (!FindNameEnd(k, stop, badName)) return Malformed();
    const std::size_t nameEnd = k;
    std::size_t length = 0;
    const bool hasValue = stop == ':';
    bool plain = true;
    if (hasValue && !ReadLength(nameEnd, k, length, plain)) return Malformed();
    if (nameEnd == 1 || badName) return Malformed();
    if (m_tagsInRecord >= kMaxRecordFields) return TooManyFields();
    ++m_tagsInRecord;

    const char* const tag = m_buf.data() + m_pos;
    const char* const valueStart = tag + k + 1;
    m_name = std::string_view(tag + 1, nameEnd - 1);
    m_pos += k + 1;
    m_bufferHoldsRecord = true;
    m_hasValue = hasValue;
    if (hasValue) {
        ReadValue(length);
        plain = plain && m_value.data() == valueStart; // the value stands right after its tag
    }
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

// From m_pos + k on, finds the ':' or '>' that ends the name; false when
// the line or the input ends first. `badName` tells of a byte that may not
// stand in a name.
bool AdifReader::FindNameEnd(std::size_t& k, char& stop, bool& badName) {
    for (;;) {
        const char* const base = m_buf.data() + m_pos;
        const std::size_t available = m_end - m_pos;
        while (k < available && kNameBytes[static_cast<unsigned char>(base[k])] == kInName) ++k;
        if (k == available) {
            if (!Refill()) return false;
            continue;
        }
        if (kNameBytes[static_cast<unsigned char>(base[k])] == kNotInName) {
            badName = true;
            ++k;
            continue;
        }
        stop = base[k];
        return stop != '\n';
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
    m_text.assign("Malformed ADIF tag, skipping QSO: [").append(line).append("]");
    m_tagsInRecord = 0;
    m_recordEnding = true;
    m_skipToEor = true;
    return Event::Malformed;
}

// The skip starts at this tag's '<': a tag that is itself <EOR> ends it.
AdifReader::Event AdifReader::TooManyFields() {
    m_text = "QSO has too many ADIF fields (> " + std::to_string(kMaxRecordFields) + ")";
    m_tagsInRecord = 0;
    m_recordEnding = true;
    m_skipToEor = true;
    return Event::TooManyFields;
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

// The value is the next `length` bytes of the input, line ends included, or
// what is left of the input when it ends sooner; or, where that would lose
// text, `length` characters (ReadByCharactersIfCertain).
void AdifReader::ReadValue(std::size_t length) {
    if (length <= m_end - m_pos) { // the usual case: all of it is in the buffer
        m_value = std::string_view(m_buf.data() + m_pos, length);
        m_pos += length;
        if (!TagFollowsInBuffer()) [[unlikely]]
            ReadByCharactersIfCertain(length);
        return;
    }
    // Longer than what the buffer holds: copied as it is read (the name stays
    // in its kept buffer).
    std::string& copy = NewValueCopy();
    while (length != 0) {
        if (m_pos == m_end && !Refill()) break;
        const std::size_t n = std::min(length, m_end - m_pos);
        copy.append(m_buf.data() + m_pos, n);
        m_pos += n;
        length -= n;
    }
    m_value = copy;
    ReadByCharactersIfCertain(m_value.size() + length);
}

// A cleared string for a value that is not whole in the buffer.
std::string& AdifReader::NewValueCopy() {
    if (m_buffers != nullptr) return m_buffers->ValueCopy();
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

// Whether non-blank text stands between m_pos and the next tag (looking
// through at most kBlankLookAhead blanks).
bool AdifReader::TextFollows() {
    for (std::size_t k = 0; k <= kBlankLookAhead && ByteAvailable(k); ++k) {
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
