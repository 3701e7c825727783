#include "adif/threaded_reader.h"

#include <algorithm>
#include <utility>

namespace shirl {

// The reading thread's blocks: taken from the spare ones, retired into the
// batch being filled, or straight back to the spare ones when nothing
// points into them.
class ThreadedReader::Blocks final : public ReaderBuffers {
public:
    explicit Blocks(const ThreadedReaderOptions& options)
        : m_blockSize(std::max<std::size_t>(options.blockSize, 16)), m_keep(options.batches + 2) {}

    void Fill(ReadBatch* batch) {
        batch->Clear(m_returned);
        for (std::vector<char>& block : m_returned) Spare(std::move(block));
        m_returned.clear();
        m_batch = batch;
    }
    ReadBatch* Batch() const { return m_batch; }
    // An event of the current block was added to the batch.
    void Counted() { ++m_eventsInBlock; }

    std::vector<char> Fresh(std::size_t size) override {
        std::vector<char> block;
        if (!m_spare.empty()) {
            block = std::move(m_spare.back());
            m_spare.pop_back();
        }
        block.resize(std::max(size, m_blockSize));
        return block;
    }
    // A block that no event came from, and that the open record does not
    // hold, is no one's: it is spare at once (a long stretch without a tag,
    // or a long value copied as it is read, does not fill the batch).
    void Retire(std::vector<char> block, bool holdsRecord) override {
        if (holdsRecord || m_eventsInBlock != 0) {
            m_batch->blocks.push_back(std::move(block));
        } else {
            Spare(std::move(block));
        }
        m_eventsInBlock = 0;
    }
    std::string& ValueCopy() override { return m_batch->NewCopy(); }

private:
    // Keeps a block for reuse unless enough are kept or it grew for a long record.
    void Spare(std::vector<char> block) {
        if (m_spare.size() < m_keep && block.capacity() <= 4 * m_blockSize) m_spare.push_back(std::move(block));
    }

    std::size_t m_blockSize, m_keep;
    ReadBatch* m_batch = nullptr;
    std::size_t m_eventsInBlock = 0;
    std::vector<std::vector<char>> m_spare, m_returned;
};

ThreadedReader::ThreadedReader(AdifReader& reader, ThreadedReaderOptions options)
    : m_reader(reader), m_options(options), m_queue(options.batches) {
    m_thread = std::thread([this] { Read(); });
}

ThreadedReader::~ThreadedReader() {
    m_queue.Stop();
    if (m_thread.joinable()) m_thread.join();
}

// The reading thread. A batch is handed over after an event that leaves no
// record open, once a block has been retired into it: every view of its
// events then points into its own blocks, its copies or the block still
// being read (which is retired into a later batch, used after this one).
void ThreadedReader::Read() {
    using Event = AdifReader::Event;
    Blocks blocks(m_options);
    ReadBatch* batch = m_queue.TakeEmpty();
    if (batch == nullptr) return;
    blocks.Fill(batch);
    NotesInto(batch);
    m_reader.UseBuffers(&blocks);
    bool inRecord = false;
    std::size_t index = 0; // of the field in its record
    try {
        for (;;) {
            const Event kind = m_reader.Next();
            const bool recordEvent = kind == Event::Field || kind == Event::EndOfRecord;
            batch->Add(m_reader, kind, recordEvent && !inRecord);
            blocks.Counted();
            if (recordEvent && m_options.tagger != nullptr) {
                index = inRecord ? index + 1 : 0;
                batch->events.back().tag = m_options.tagger->Tag(index, m_reader.Name(), m_reader.Value());
                if (kind == Event::EndOfRecord) m_options.tagger->EndRecord();
            }
            // A swallowing length is a row, not the record's end: the record
            // (and the batch its fields point into) stays open.
            if (kind != Event::BadLength) inRecord = kind == Event::Field;
            if (kind == Event::End) {
                batch->last = true;
                batch->failed = m_reader.Failed();
                batch->characterCountedValues = m_reader.CharacterCountedValues();
                batch->strays = m_reader.StrayLessThans();
                break;
            }
            if (inRecord || batch->blocks.empty()) continue;
            batch->lineEnd = m_reader.LineEnd();
            m_queue.PutFull(batch);
            batch = m_queue.TakeEmpty();
            if (batch == nullptr) { // the using side has stopped
                m_reader.UseBuffers(nullptr);
                return;
            }
            blocks.Fill(batch);
            NotesInto(batch);
        }
    } catch (...) {
        batch->error = std::current_exception();
        batch->last = true;
    }
    batch->lineEnd = m_reader.LineEnd();
    m_reader.UseBuffers(nullptr);
    m_queue.PutFull(batch);
}

// The tagger notes the records of `batch` (just emptied) in its own notes.
void ThreadedReader::NotesInto(ReadBatch* batch) {
    FieldTagger* const tagger = m_options.tagger;
    if (tagger == nullptr) return;
    if (!batch->notes) batch->notes = tagger->MakeNotes();
    tagger->UseNotes(batch->notes.get());
}

AdifReader::Event ThreadedReader::Next() {
    while (m_next == m_last) {
        if (m_batch != nullptr && m_batch->last) return AdifReader::Event::End;
        NextBatch();
    }
    m_event = m_next++;
    if (m_event->bits & ReadEvent::kFar) [[unlikely]] {
        const FarEvent& outside = m_batch->farEvents[m_farAt++];
        m_nameSize = outside.nameSize;
        m_value = outside.value;
        m_valueSize = outside.valueSize;
    } else {
        m_nameSize = m_event->nameSize;
        m_value = m_event->name + m_event->valueAt;
        m_valueSize = m_event->valueSize;
    }
    if (m_event->bits & ReadEvent::kRecordStart) m_line = m_batch->recordLines[m_lineAt++];
    const AdifReader::Event kind = m_event->Kind();
    if (kind == AdifReader::Event::Malformed || kind == AdifReader::Event::TooManyFields)
        m_problemLine = m_batch->problemLines[m_problemAt++];
    return kind;
}

// The batch just used goes back to the reading thread with its blocks.
void ThreadedReader::NextBatch() {
    if (m_batch != nullptr) m_queue.PutEmpty(m_batch);
    m_batch = m_queue.TakeFull();
    m_next = m_batch->events.data();
    m_last = m_next + m_batch->events.size();
    m_lineAt = m_farAt = m_problemAt = 0;
    if (m_batch->error) std::rethrow_exception(m_batch->error);
}

// The tag and value as they stand: from the '<' before the name to the
// value's end (or the '>' after a name without a value).
std::string_view ThreadedReader::FieldText() const {
    if (!(m_event->bits & ReadEvent::kPlainText)) return {};
    const char* const start = m_event->name - 1;
    const char* const end = (m_event->bits & ReadEvent::kHasValue) ? m_value + m_valueSize
                                                                     : m_event->name + m_nameSize + 1;
    return {start, static_cast<std::size_t>(end - start)};
}

} // namespace shirl
