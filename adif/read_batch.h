#pragma once
// What the reading thread of a pipeline hands to the converting thread in
// one piece: the reader's events, the buffers their views point into and
// the values and texts that stand in no buffer. Whoever holds the batch
// owns those bytes; the batch goes back to the reading thread once its
// events have been used, and its buffers with it.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "adif/reader.h"

namespace shirl {

// One event of the reader, as its accessors gave it, in 16 bytes (12 where
// a pointer takes 4): the other thread reads every one, and each byte
// crosses between the cores.
// For HeaderBytes, Malformed and TooManyFields `name` holds Bytes() or
// Text(). A field's value mostly stands a few bytes after its name; one
// that does not, or a long name or value, is told in ReadBatch::farEvents.
struct ReadEvent {
    enum Flag : std::uint8_t {
        kHasValue = 1 << 3,
        kCharacterCounted = 1 << 4,
        kPlainText = 1 << 5,   // FieldText() is the tag and value as they stand
        kRecordStart = 1 << 6, // the record's first event: its line is the next of ReadBatch::recordLines
        kFar = 1 << 7,         // the sizes and the value's place are the next of ReadBatch::farEvents
    };
    static constexpr std::uint8_t kKindBits = 7; // the rest of `bits` holds the kind
    const char* name = nullptr;
    std::uint32_t valueSize = 0;
    std::uint8_t nameSize = 0;
    std::uint8_t valueAt = 0; // the value starts this many bytes after the name
    std::uint8_t bits = 0;    // the kind and the flags
    std::uint8_t tag = 0;     // ThreadedReader's FieldTagger's

    AdifReader::Event Kind() const { return static_cast<AdifReader::Event>(bits & kKindBits); }
};
static_assert(sizeof(ReadEvent) <= 16);
static_assert(static_cast<int>(AdifReader::Event::End) <= ReadEvent::kKindBits);

// The sizes and value of an event that do not fit its few bytes.
struct FarEvent {
    std::size_t nameSize = 0;
    const char* value = nullptr;
    std::size_t valueSize = 0;
};

// What a FieldTagger works out on the reading thread for the records of a
// batch beyond their fields' tags: it goes with the batch to the other
// thread, and is emptied with it for its next use.
class BatchNotes {
public:
    virtual ~BatchNotes() = default;
    // Forgets the notes of the batch's last use.
    virtual void Clear() = 0;
};

struct ReadBatch {
    std::vector<ReadEvent> events;
    std::vector<std::size_t> recordLines;                        // AdifReader::RecordLine() of each record
    std::vector<std::size_t> problemLines;                       // the line of each Malformed or TooManyFields event
    std::vector<FarEvent> farEvents;                             // of the events marked kFar, in order (not `far`: a macro of windows.h)
    std::vector<std::vector<char>> blocks; // buffers the reader retired while the batch was filled
    std::deque<std::string> copies;        // values in no one buffer, and texts (a deque: they never move)
    std::size_t copiesUsed = 0;
    std::string_view lineEnd;
    // The last batch of a run ends in the End event and tells what the reader knew then.
    bool last = false;
    bool failed = false;
    std::size_t characterCountedValues = 0;
    std::size_t strays = 0; // AdifReader::StrayLessThans() at the end
    std::exception_ptr error; // the reading thread failed (out of memory): the run fails with it
    std::unique_ptr<BatchNotes> notes; // the tagger's, made on the batch's first use, or none

    // An empty string that lives as long as the batch's contents.
    std::string& NewCopy();
    // Records the reader's current event; `recordStart` when it opens a record.
    void Add(const AdifReader& reader, AdifReader::Event kind, bool recordStart);
    // Empties the batch for the next use; its buffers go to `spare`.
    void Clear(std::vector<std::vector<char>>& spare);
};

} // namespace shirl
