#pragma once
// Byte streams of a conversion run: a buffered output sink and an input
// source read in large chunks. Both are binary: no line-end translation.
// The file layer (files/file_streams.h) implements them over files.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace shirl {

// Buffered output. Writes land in an internal buffer; only a full buffer
// or Flush() reaches Drain(), so a virtual call happens once per buffer,
// never per field. Once a drain has failed the sink stays failed and
// drops everything else.
class ByteSink {
public:
    explicit ByteSink(std::size_t capacity = 1 << 16);
    virtual ~ByteSink() = default;
    ByteSink(const ByteSink&) = delete;
    ByteSink& operator=(const ByteSink&) = delete;

    void Write(std::string_view bytes) {
        if (bytes.size() <= m_buffer.size() - m_used) {
            if (!bytes.empty()) {
                std::char_traits<char>::copy(m_buffer.data() + m_used, bytes.data(), bytes.size());
                m_used += bytes.size();
            }
            return;
        }
        WriteSlow(bytes);
    }
    void Put(char byte) {
        if (m_used == m_buffer.size()) FlushBuffer();
        m_buffer[m_used++] = byte;
    }
    // Room for `size` bytes written straight into the buffer, then Commit();
    // nullptr when `size` is larger than the whole buffer.
    char* Reserve(std::size_t size) {
        if (size > m_buffer.size() - m_used) {
            FlushBuffer();
            if (size > m_buffer.size()) return nullptr;
        }
        return m_buffer.data() + m_used;
    }
    void Commit(std::size_t size) { m_used += size; }
    // Hands everything buffered to Drain(). False once any write failed.
    bool Flush();
    bool Failed() const { return m_failed; }

protected:
    // Writes all of [data, data+size) to the destination; false on failure.
    virtual bool Drain(const char* data, std::size_t size) = 0;

private:
    void WriteSlow(std::string_view bytes);
    void FlushBuffer();

    std::vector<char> m_buffer;
    std::size_t m_used = 0;
    bool m_failed = false;
};

// Collects the output in memory (tests, small jobs).
class StringSink final : public ByteSink {
public:
    explicit StringSink(std::size_t capacity = 1 << 12) : ByteSink(capacity) {}
    // A sink that appends to `target` (which outlives it) instead of a string of its own.
    explicit StringSink(std::string& target, std::size_t capacity = 1 << 10) : ByteSink(capacity), m_text(&target) {}
    StringSink(const StringSink&) = delete;
    StringSink& operator=(const StringSink&) = delete;
    // Everything written so far.
    const std::string& str() {
        Flush();
        return *m_text;
    }

protected:
    bool Drain(const char* data, std::size_t size) override {
        m_text->append(data, size);
        return true;
    }

private:
    std::string m_own;
    std::string* m_text = &m_own;
};

// Input read in chunks.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to `size` bytes; 0 at the end of the input or on an error.
    virtual std::size_t Read(char* data, std::size_t size) = 0;
    // Whether Rewind() can start the input over.
    virtual bool CanRewind() const = 0;
    // Starts over at the first byte; false when that is not possible.
    virtual bool Rewind() = 0;
    // True when reading stopped on an error rather than at the end.
    virtual bool Failed() const { return false; }
};

// Input held in memory. `rewindable` false behaves like a pipe (tests).
class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes, bool rewindable = true, std::size_t maxChunk = 0)
        : m_bytes(bytes), m_rewindable(rewindable), m_maxChunk(maxChunk) {}
    std::size_t Read(char* data, std::size_t size) override;
    bool CanRewind() const override { return m_rewindable; }
    bool Rewind() override;

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
    bool m_rewindable;
    std::size_t m_maxChunk; // 0 = no limit; small values exercise chunk edges
};

} // namespace shirl
