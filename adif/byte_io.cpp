#include "adif/byte_io.h"

#include <algorithm>
#include <cstring>

namespace shirl {

ByteSink::ByteSink(std::size_t capacity) : m_buffer(std::max<std::size_t>(capacity, 16)) {}

void ByteSink::FlushBuffer() {
    if (m_used != 0 && !m_failed && !DrainBuffer(m_buffer, m_used)) m_failed = true;
    m_used = 0;
}

void ByteSink::WriteSlow(std::string_view bytes) {
    FlushBuffer();
    if (bytes.size() >= m_buffer.size() / 2) {
        // Half the buffer or more (a writing thread's piece, which is a
        // little short of a full buffer of the same size): handed over
        // directly, not copied first.
        if (!m_failed && !Drain(bytes.data(), bytes.size())) m_failed = true;
        return;
    }
    std::memcpy(m_buffer.data(), bytes.data(), bytes.size());
    m_used = bytes.size();
}

bool ByteSink::Flush() {
    FlushBuffer();
    return !m_failed;
}

std::size_t MemorySource::Read(char* data, std::size_t size) {
    std::size_t n = std::min(size, m_bytes.size() - m_pos);
    if (m_maxChunk != 0) n = std::min(n, m_maxChunk);
    if (n != 0) std::memcpy(data, m_bytes.data() + m_pos, n);
    m_pos += n;
    return n;
}

bool MemorySource::Rewind() {
    if (!m_rewindable) return false;
    m_pos = 0;
    return true;
}

} // namespace shirl
