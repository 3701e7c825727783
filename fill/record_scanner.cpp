#include "fill/record_scanner.h"

#include <algorithm>
#include <limits>

#include "base/text_util.h"

namespace shirl {
namespace {

constexpr std::size_t kChunk = std::size_t{1} << 16;
// A tag is at most this long from '<' to '>'; a longer one is text.
constexpr std::size_t kMaxTag = 1024;

bool IsNameByte(char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != ',' && c != '{' && c != '}'; }

} // namespace

std::size_t RecordScanner::Line() const {
    const std::size_t first = m_fields.empty() ? m_eor : m_fields.front().begin;
    const std::string_view before = Bytes().substr(0, first);
    return m_lineOfStart + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
}

// Reads more input after what is held.
bool RecordScanner::More() {
    if (m_eof) return false;
    m_chunk.resize(kChunk);
    const std::size_t n = m_input.Read(m_chunk.data(), m_chunk.size());
    m_data.append(m_chunk.data(), n);
    if (n == 0) m_eof = true;
    return n != 0;
}

// Whether the byte at `pos` is there, reading on as needed.
bool RecordScanner::Have(std::size_t pos) {
    while (pos >= m_data.size())
        if (!More()) return false;
    return true;
}

// Reads the tag whose '<' is at `at`: "<NAME>" or "<NAME:LEN>" or
// "<NAME:LEN:TYPE>". False when the bytes there are no such tag.
bool RecordScanner::ReadTag(std::size_t at, std::size_t& tagEnd, std::string_view& name, std::size_t& length,
                            bool& hasLength) {
    std::size_t k = at + 1;
    std::size_t colon = 0; // from '<', 0 while none is seen
    bool nameBytes = true;
    for (; Have(k) && m_data[k] != '>' && m_data[k] != '<' && k - at < kMaxTag; ++k) {
        if (colon == 0 && m_data[k] == ':') colon = k - at;
        if (colon == 0) nameBytes = nameBytes && IsNameByte(m_data[k]);
    }
    if (!Have(k) || m_data[k] != '>' || !nameBytes) return false;
    const std::string_view inside = std::string_view(m_data).substr(at + 1, k - at - 1);
    name = inside.substr(0, colon == 0 ? std::string_view::npos : colon - 1);
    if (name.empty()) return false;
    hasLength = colon != 0;
    length = 0;
    if (hasLength) {
        std::string_view digits = inside.substr(colon);
        digits = digits.substr(0, digits.find(':'));
        while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
        if (digits.empty() || !std::all_of(digits.begin(), digits.end(), IsAsciiDigit)) return false;
        length = digits.size() > 18 ? std::numeric_limits<std::size_t>::max() / 2 : static_cast<std::size_t>(ReadDecimal(digits));
    }
    tagEnd = k + 1;
    return true;
}

RecordScanner::Piece RecordScanner::Finish(Piece piece, std::size_t end) {
    m_end = m_pos = end;
    for (ScannedField& field : m_fields) { // the views, now that the piece no longer moves
        const std::size_t nameStart = field.begin + 1;
        std::size_t nameEnd = nameStart; // a tag is short: a loop, not a search
        while (m_data[nameEnd] != ':' && m_data[nameEnd] != '>') ++nameEnd;
        field.name = std::string_view(m_data).substr(nameStart, nameEnd - nameStart);
        std::size_t valueStart = nameEnd;
        while (m_data[valueStart] != '>') ++valueStart;
        ++valueStart;
        field.value = std::string_view(m_data).substr(valueStart, field.end - std::min(field.end, valueStart));
        field.begin -= m_start;
        field.end -= m_start;
    }
    m_eor -= std::min(m_eor, m_start);
    m_headerDone = true;
    return piece;
}

RecordScanner::Piece RecordScanner::Next() {
    for (const char c : Bytes())
        if (c == '\n') ++m_lineOfStart;
    m_start = m_pos = m_end;
    if (m_start >= kChunk && m_start >= m_data.size() / 2) { // the pieces handed out go
        m_data.erase(0, m_start);
        m_start = m_pos = m_end = 0;
    }
    m_fields.clear();
    m_eor = 0;
    for (;;) {
        std::size_t lt = m_data.find('<', m_pos);
        while (lt == std::string::npos) {
            m_pos = m_data.size();
            if (!More()) {
                if (m_data.size() == m_start) return Piece::End;
                m_eor = m_data.size();
                m_fields.clear();
                return Finish(Piece::Tail, m_data.size());
            }
            lt = m_data.find('<', m_pos);
        }
        // Offsets, not views: reading on may move the bytes.
        std::size_t tagEnd = 0, length = 0;
        std::string_view name;
        bool hasLength = false;
        const std::size_t at = lt;
        if (!ReadTag(at, tagEnd, name, length, hasLength)) {
            m_pos = at + 1;
            continue;
        }
        if (!hasLength && (EqualsNoCase(name, "EOR") || (!m_headerDone && EqualsNoCase(name, "EOH")))) {
            const bool header = ToAsciiUpper(name[1]) == 'O' && ToAsciiUpper(name[2]) == 'H';
            if (header) m_fields.clear();
            m_eor = at;
            return Finish(header ? Piece::Header : Piece::Record, tagEnd);
        }
        std::size_t end = tagEnd;
        if (hasLength) {
            const std::size_t available = Have(tagEnd + length - (length != 0 ? 1 : 0)) ? length : 0;
            end = available == length ? tagEnd + length : m_data.size();
        }
        m_fields.push_back(ScannedField{at, std::min(end, m_data.size()), {}, {}});
        m_pos = m_fields.back().end;
    }
}

} // namespace shirl
