#include "adif/batch_queue.h"

#include <algorithm>

namespace shirl {

BatchQueue::BatchQueue(std::size_t batches) {
    for (std::size_t i = 0; i < std::max<std::size_t>(batches, 2); ++i) {
        m_batches.push_back(std::make_unique<ReadBatch>());
        m_empty.push_back(m_batches.back().get());
    }
}

ReadBatch* BatchQueue::TakeEmpty() {
    std::unique_lock lock(m_mutex);
    m_emptyReady.wait(lock, [this] { return m_stopped || !m_empty.empty(); });
    if (m_stopped) return nullptr;
    ReadBatch* batch = m_empty.front();
    m_empty.pop_front();
    return batch;
}

void BatchQueue::PutFull(ReadBatch* batch) {
    {
        std::lock_guard lock(m_mutex);
        m_full.push_back(batch);
    }
    m_fullReady.notify_one();
}

ReadBatch* BatchQueue::TakeFull() {
    std::unique_lock lock(m_mutex);
    m_fullReady.wait(lock, [this] { return !m_full.empty(); });
    ReadBatch* batch = m_full.front();
    m_full.pop_front();
    return batch;
}

void BatchQueue::PutEmpty(ReadBatch* batch) {
    {
        std::lock_guard lock(m_mutex);
        m_empty.push_back(batch);
    }
    m_emptyReady.notify_one();
}

void BatchQueue::Stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    m_emptyReady.notify_one();
}

} // namespace shirl
