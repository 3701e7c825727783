#pragma once
// The byte sink and source of adif/byte_io.h over files, opened by UTF-8
// name (any name the system takes) in binary mode: no line-end translation.
#include <cstdio>
#include <string>

#include "adif/byte_io.h"

namespace shirl {

// Writes to a file. Close() flushes and closes, reporting every failure on
// the way (full disk, I/O error).
class FileSink final : public ByteSink {
public:
    FileSink() : ByteSink(1 << 20) {}
    ~FileSink() override;
    // Creates or empties the file `name`; false when it cannot be opened.
    bool Open(const std::string& name);
    // Writes to standard output (binary on Windows); Close() flushes it and leaves it open.
    bool OpenStandardOutput();
    // Flushes and closes; true when every byte reached the file.
    bool Close();
    // Whether a file is open.
    bool IsOpen() const { return m_file != nullptr; }

protected:
    bool Drain(const char* data, std::size_t size) override;

private:
    std::FILE* m_file = nullptr;
    bool m_borrowed = false; // standard output: not closed here
};

// Reads a file in chunks; a regular file can be rewound, a pipe cannot.
class FileSource final : public ByteSource {
public:
    FileSource() = default;
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    // Opens `name` for reading; false when it cannot be opened or is a folder.
    bool Open(const std::string& name);
    // Reads standard input (binary on Windows), once as it comes; with
    // `rewindable` it is first copied whole into a temporary file that can be
    // read again. False when that copy cannot be made.
    bool OpenStandardInput(bool rewindable);
    // Closes the file (nothing when none is open).
    void Close();
    std::size_t Read(char* data, std::size_t size) override;
    bool CanRewind() const override { return m_seekable; }
    bool Rewind() override;
    bool Failed() const override { return m_failed; }

private:
    std::FILE* m_file = nullptr;
    bool m_seekable = false;
    bool m_failed = false;
    bool m_borrowed = false; // standard input: not closed here
};

} // namespace shirl
