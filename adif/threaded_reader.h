#pragma once
// An AdifReader run on a thread of its own: the reading thread fills
// batches of events (adif/read_batch.h) whose views point into fixed-size
// blocks that move with the batch, and the calling thread takes the events
// one by one through the reader's own accessors. A block goes back to the
// reading thread with its batch, once the events that point into it have
// been used; a record cut by a block's end has its unread bytes carried into
// the next block. Nothing is copied that the reader alone would not copy.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

#include "adif/batch_queue.h"
#include "adif/reader.h"

namespace shirl {

// Looks at each field (and <EOR>) on the reading thread and gives it a
// small number that goes with it to the other thread: work on the names
// that the reading thread, which has time to spare, does for the caller.
// It may also note what it works out about whole records in the batch
// they go over in (Notes() on the other side).
class FieldTagger {
public:
    virtual ~FieldTagger() = default;
    // The tag of the field `name` (with `value`), the `index`th of its record (from 0).
    virtual std::uint8_t Tag(std::size_t index, std::string_view name, std::optional<std::string_view> value) = 0;
    // The record whose fields were tagged since index 0 ended with the <EOR> just tagged.
    virtual void EndRecord() {}
    // New notes for a batch (each batch gets its own once), or none.
    virtual std::unique_ptr<BatchNotes> MakeNotes() { return nullptr; }
    // The batch being filled from now on carries `notes`.
    virtual void UseNotes(BatchNotes* notes) { (void)notes; }
};

struct ThreadedReaderOptions {
    std::size_t blockSize = std::size_t{256} << 10; // bytes read into a block (tests use tiny ones)
    std::size_t batches = 4;                        // batches going round between the threads
    FieldTagger* tagger = nullptr;                  // used on the reading thread only, or none
};

class alignas(kThreadApart) ThreadedReader {
public:
    // Goes on reading `reader` (new, or between two records) on a thread of
    // its own; `reader` belongs to that thread until this object is gone.
    ThreadedReader(AdifReader& reader, ThreadedReaderOptions options = {});
    // Stops the reading thread (also part way through) and waits for it.
    ~ThreadedReader();
    ThreadedReader(const ThreadedReader&) = delete;
    ThreadedReader& operator=(const ThreadedReader&) = delete;

    // The reader's next event; rethrows what ended the reading thread. The
    // accessors below answer as AdifReader's do, with the same lifetimes.
    AdifReader::Event Next();
    std::string_view Bytes() const { return Name(); }
    std::string_view Name() const { return {m_event->name, m_nameSize}; }
    std::optional<std::string_view> Value() const {
        if (!(m_event->bits & ReadEvent::kHasValue)) return std::nullopt;
        return std::string_view(m_value, m_valueSize);
    }
    // BadLength: its row; Malformed and TooManyFields: the malformed tag (DroppedText() gives the row).
    std::string_view Text() const { return Name(); }
    std::string DroppedText(std::string_view call) const {
        return AdifReader::DroppedTextOf(m_event->Kind(), m_problemLine, Name(), call);
    }
    // At the End event: how many '<' of the input started no tag.
    std::size_t StrayLessThans() const { return m_batch->strays; }
    std::string_view FieldText() const;
    bool CharacterCounted() const { return (m_event->bits & ReadEvent::kCharacterCounted) != 0; }
    // The tagger's tag of the field (0 without a tagger).
    std::uint8_t FieldTag() const { return m_event->tag; }
    // The tagger's notes on the records of the batch the last event came
    // from, or nullptr; the caller may use them up.
    BatchNotes* Notes() const { return m_batch != nullptr ? m_batch->notes.get() : nullptr; }
    std::string_view LineEnd() const { return m_batch->lineEnd; }
    // After a record's first event: AdifReader::RecordLine().
    std::size_t RecordLine() const { return m_line; }
    // After the End event: what AdifReader tells then.
    bool Failed() const { return m_batch->failed; }
    std::size_t CharacterCountedValues() const { return m_batch->characterCountedValues; }

private:
    class Blocks;
    void Read();
    void NotesInto(ReadBatch* batch);
    void NextBatch();

    AdifReader& m_reader;
    ThreadedReaderOptions m_options;
    BatchQueue m_queue;
    // The using side (on lines of its own): the batch whose events are being taken.
    alignas(kThreadApart) ReadBatch* m_batch = nullptr;
    const ReadEvent* m_event = nullptr;
    const ReadEvent* m_next = nullptr; // the batch's events not yet taken: [m_next, m_last)
    const ReadEvent* m_last = nullptr;
    std::size_t m_lineAt = 0, m_farAt = 0, m_problemAt = 0;
    std::size_t m_problemLine = 0;
    const char* m_value = nullptr;
    std::size_t m_nameSize = 0, m_valueSize = 0, m_line = 0;
    std::thread m_thread;
};

} // namespace shirl
