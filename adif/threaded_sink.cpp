#include "adif/threaded_sink.h"

#include <cstring>
#include <string_view>
#include <utility>

namespace shirl {
namespace {

// Buffers going round between the two threads besides the one being filled.
constexpr std::size_t kBuffers = 3;

} // namespace

ThreadedSink::ThreadedSink(ByteSink& target, std::size_t capacity) : ByteSink(capacity), m_target(target) {
    m_thread = std::thread([this] { WriteOn(); });
}

ThreadedSink::~ThreadedSink() { Finish(); }

bool ThreadedSink::Finish() {
    Flush();
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable()) m_thread.join();
    return !m_failed && !Failed();
}

// The writing thread: each piece in turn, then its buffer back.
void ThreadedSink::WriteOn() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_done || !m_queue.empty(); });
        if (m_queue.empty()) return;
        Piece piece = std::move(m_queue.front());
        m_queue.pop_front();
        lock.unlock();
        m_target.Write(std::string_view(piece.bytes.data(), piece.used));
        if (m_target.Failed()) m_failed = true;
        lock.lock();
        m_spare.push_back(std::move(piece.bytes));
        m_changed.notify_all();
    }
}

// A buffer to fill next: a spare one, a new one while there are fewer than
// kBuffers, or the next one written.
std::vector<char> ThreadedSink::Spare() {
    std::unique_lock lock(m_mutex);
    if (m_spare.empty() && m_buffers < kBuffers) {
        ++m_buffers;
        return {};
    }
    m_changed.wait(lock, [this] { return !m_spare.empty(); });
    std::vector<char> buffer = std::move(m_spare.back());
    m_spare.pop_back();
    return buffer;
}

bool ThreadedSink::DrainBuffer(std::vector<char>& buffer, std::size_t used) {
    std::vector<char> next = Spare();
    next.resize(buffer.size());
    std::swap(next, buffer);
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back({std::move(next), used});
    }
    m_changed.notify_all();
    return !m_failed;
}

// A write larger than the buffer: copied into a buffer of its own.
bool ThreadedSink::Drain(const char* data, std::size_t size) {
    std::vector<char> piece = Spare();
    piece.assign(data, data + size);
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back({std::move(piece), size});
    }
    m_changed.notify_all();
    return !m_failed;
}

} // namespace shirl
