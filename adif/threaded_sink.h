#pragma once
// A sink whose full buffers a thread of its own writes on to another sink,
// so that the thread that fills them does not wait for the system's writes.
// The buffers change hands whole: nothing is copied on the filling side.
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "adif/byte_io.h"
#include "adif/thread_apart.h"

namespace shirl {

class alignas(kThreadApart) ThreadedSink final : public ByteSink {
public:
    // Writes on to `target`, which nothing else writes to until Finish().
    explicit ThreadedSink(ByteSink& target, std::size_t capacity = std::size_t{1} << 20);
    ~ThreadedSink() override;
    ThreadedSink(const ThreadedSink&) = delete;
    ThreadedSink& operator=(const ThreadedSink&) = delete;

    // Hands over what is buffered and waits until all of it is written to
    // `target` (not flushed there). False when a write failed.
    bool Finish();

protected:
    bool Drain(const char* data, std::size_t size) override;
    bool DrainBuffer(std::vector<char>& buffer, std::size_t used) override;

private:
    struct Piece {
        std::vector<char> bytes;
        std::size_t used = 0;
    };
    void WriteOn();
    std::vector<char> Spare();

    ByteSink& m_target;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Piece> m_queue;
    std::vector<std::vector<char>> m_spare;
    std::size_t m_buffers = 0; // made so far (at most kBuffers)
    bool m_done = false;
    std::atomic<bool> m_failed{false};
    std::thread m_thread;
};

} // namespace shirl
