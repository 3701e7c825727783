#pragma once
// The bounded hand-over between the two threads of a pipeline: a fixed
// number of batches go round, filled by one thread and used by the other,
// so memory holds at most that many batches whatever the log's size.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "adif/read_batch.h"

namespace shirl {

class BatchQueue {
public:
    // Makes `batches` (at least 2) empty batches.
    explicit BatchQueue(std::size_t batches);

    // The filling side: the next empty batch, waiting for one; nullptr once stopped.
    ReadBatch* TakeEmpty();
    // The filling side: hands `batch` over, in order.
    void PutFull(ReadBatch* batch);
    // The using side: the next full batch, waiting for one.
    ReadBatch* TakeFull();
    // The using side: gives `batch` back to be filled again.
    void PutEmpty(ReadBatch* batch);
    // The using side has stopped: TakeEmpty answers nullptr from now on.
    void Stop();

private:
    std::mutex m_mutex;
    std::condition_variable m_emptyReady, m_fullReady;
    std::vector<std::unique_ptr<ReadBatch>> m_batches;
    std::deque<ReadBatch*> m_empty, m_full;
    bool m_stopped = false;
};

} // namespace shirl
