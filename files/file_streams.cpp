#include "files/file_streams.h"

#include <vector>

#include "files/file_system.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace shirl {
namespace {

// Standard input and output carry the log's bytes as they are: no line-end
// translation on Windows.
void UseBinaryMode(std::FILE* stream) {
#ifdef _WIN32
    _setmode(_fileno(stream), _O_BINARY);
#else
    (void)stream;
#endif
}

// Copies the rest of `from` into `to`; false on a write error (a read error
// shows in ferror(from)).
bool CopyStream(std::FILE* from, std::FILE* to) {
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), from);
        if (n == 0) return true;
        if (std::fwrite(buffer.data(), 1, n, to) != n) return false;
    }
}

} // namespace

FileSink::~FileSink() {
    if (m_file != nullptr && !m_borrowed) std::fclose(m_file);
}

bool FileSink::Open(const std::string& name) {
    if (m_file != nullptr && !m_borrowed) std::fclose(m_file);
    m_borrowed = false;
    m_file = OpenFile(name, "wb");
    return m_file != nullptr;
}

bool FileSink::OpenStandardOutput() {
    if (m_file != nullptr && !m_borrowed) std::fclose(m_file);
    std::fflush(stdout);
    UseBinaryMode(stdout);
    m_file = stdout;
    m_borrowed = true;
    return true;
}

bool FileSink::Drain(const char* data, std::size_t size) {
    if (m_file == nullptr) return false;
    return std::fwrite(data, 1, size, m_file) == size;
}

bool FileSink::Close() {
    if (m_file == nullptr) return false;
    bool ok = Flush();
    if (std::fflush(m_file) != 0 || std::ferror(m_file) != 0) ok = false;
    if (!m_borrowed && std::fclose(m_file) != 0) ok = false;
    m_file = nullptr;
    m_borrowed = false;
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

bool FileSource::OpenStandardInput(bool rewindable) {
    Close();
    UseBinaryMode(stdin);
    m_failed = false;
    if (!rewindable) {
        m_file = stdin;
        m_borrowed = true;
        m_seekable = false;
        return true;
    }
    std::FILE* copy = std::tmpfile();
    if (copy == nullptr) return false;
    if (!CopyStream(stdin, copy) || std::fflush(copy) != 0 || std::fseek(copy, 0, SEEK_SET) != 0) {
        std::fclose(copy);
        return false;
    }
    m_failed = std::ferror(stdin) != 0;
    m_file = copy;
    m_seekable = true;
    return true;
}

void FileSource::Close() {
    if (m_file != nullptr && !m_borrowed) std::fclose(m_file);
    m_file = nullptr;
    m_borrowed = false;
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
