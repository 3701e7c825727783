#include "files/file_streams.h"

#include "files/file_system.h"

namespace shirl {

FileSink::~FileSink() {
    if (m_file != nullptr) std::fclose(m_file);
}

bool FileSink::Open(const std::string& name) {
    if (m_file != nullptr) std::fclose(m_file);
    m_file = OpenFile(name, "wb");
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

FileSource::~FileSource() { Close(); }

bool FileSource::Open(const std::string& name) {
    Close();
    // A folder opens for reading on POSIX systems, and every read of it then
    // fails: it is no input, and the run must not replace the output with nothing.
    if (KindOf(name) == FileKind::Folder) return false;
    m_file = OpenFile(name, "rb");
    if (m_file == nullptr) return false;
    m_failed = false;
    // A regular file can be read twice; a pipe or terminal cannot.
    m_seekable = IsRegularFile(m_file) && std::fseek(m_file, 0, SEEK_SET) == 0;
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
