#include "cabrillo/line_reader.h"

#include <cstring>

namespace shirl {

CabrilloLineReader::CabrilloLineReader(ByteSource& input) : m_input(input), m_buf(1 << 16) {}

void CabrilloLineReader::Restart() {
    m_pos = m_end = 0;
    m_eof = false;
    m_line.clear();
    m_tooLong = false;
    m_number = 0;
    m_crlf = false;
}

bool CabrilloLineReader::Next() {
    m_line.clear();
    m_tooLong = false;
    bool any = false;
    for (;;) {
        if (m_pos == m_end) {
            if (m_eof) break;
            m_end = m_input.Read(m_buf.data(), m_buf.size());
            m_pos = 0;
            if (m_end == 0) {
                m_eof = true;
                break;
            }
        }
        any = true;
        const char* start = m_buf.data() + m_pos;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', m_end - m_pos));
        const std::size_t size = newline ? static_cast<std::size_t>(newline - start) : m_end - m_pos;
        const std::size_t room = kMaxCabrilloLine + 1 - m_line.size(); // one byte more tells a long line
        m_line.append(start, size < room ? size : room);
        m_pos += size;
        if (newline) {
            ++m_pos;
            break;
        }
    }
    if (!any) return false;
    ++m_number;
    if (m_number == 1 && m_line.rfind("\xEF\xBB\xBF", 0) == 0) m_line.erase(0, 3); // a UTF-8 byte-order mark
    if (!m_line.empty() && m_line.back() == '\r') {
        m_line.pop_back();
        if (m_number == 1) m_crlf = true;
    }
    if (m_line.size() > kMaxCabrilloLine) {
        m_tooLong = true;
        m_line.resize(kMaxCabrilloLine);
    }
    return true;
}

} // namespace shirl
