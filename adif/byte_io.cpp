#include "adif/byte_io.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace shirl {

ByteSink::ByteSink(std::size_t capacity) : m_buffer(std::max<std::size_t>(capacity, 16)) {}

void ByteSink::FlushBuffer() {
    if (m_used != 0 && !m_failed && !Drain(m_buffer.data(), m_used)) m_failed = true;
    m_used = 0;
}

void ByteSink::WriteSlow(std::string_view bytes) {
    FlushBuffer();
    if (bytes.size() >= m_buffer.size()) {
        // Larger than the whole buffer: hand it over directly.
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

std::FILE* OpenFileUtf8(const std::string& path, const char* mode) {
#ifdef _WIN32
    const std::filesystem::path p(std::u8string(path.begin(), path.end()));
    std::wstring wmode(mode, mode + std::strlen(mode));
    return _wfopen(p.c_str(), wmode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

FileSink::~FileSink() {
    if (m_file != nullptr) std::fclose(m_file);
}

bool FileSink::Open(const std::string& path) {
    if (m_file != nullptr) std::fclose(m_file);
    m_file = OpenFileUtf8(path, "wb");
    return m_file != nullptr;
}

bool FileSink::Drain(const char* data, std::size_t size) {
    if (m_file == nullptr) return false;
    return std::fwrite(data, 1, size, m_file) == size;
}

bool FileSink::Close() {
    if (m_file == nullptr) return false;
    bool ok = Flush();
    if (std::fflush(m_file) != 0 || std::ferror(m_file) != 0) ok = false;
    if (std::fclose(m_file) != 0) ok = false;
    m_file = nullptr;
    return ok;
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

FileSource::~FileSource() { Close(); }

bool FileSource::Open(const std::string& path) {
    Close();
    std::error_code ec;
    const std::filesystem::path p(std::u8string(path.begin(), path.end()));
    // A folder opens for reading on POSIX systems, and every read of it then
    // fails: it is no input, and the run must not replace the output with nothing.
    if (std::filesystem::is_directory(p, ec)) return false;
    m_file = OpenFileUtf8(path, "rb");
    if (m_file == nullptr) return false;
    m_failed = false;
    // A regular file can be read twice; a pipe or terminal cannot.
    m_seekable = std::filesystem::is_regular_file(p, ec) && std::fseek(m_file, 0, SEEK_SET) == 0;
    return true;
}

void FileSource::Close() {
    if (m_file != nullptr) std::fclose(m_file);
    m_file = nullptr;
}

std::size_t FileSource::Read(char* data, std::size_t size) {
    if (m_file == nullptr || size == 0) return 0;
    const std::size_t n = std::fread(data, 1, size, m_file);
    if (n < size && std::ferror(m_file) != 0) m_failed = true;
    return n;
}

bool FileSource::Rewind() {
    if (m_file == nullptr || !m_seekable) return false;
    std::clearerr(m_file);
    return std::fseek(m_file, 0, SEEK_SET) == 0;
}

} // namespace shirl
