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

// One event of the reader, as its accessors gave it. For HeaderBytes,
// Malformed and TooManyFields `name` holds Bytes() or Text().
struct ReadEvent {
    enum Flag : std::uint8_t {
        kHasValue = 1,
        kCharacterCounted = 2,
        kPlainText = 4,   // FieldText() is the tag and value as they stand
        kRecordStart = 8, // the record's first event: its line is the next of ReadBatch::recordLines
        kLongSizes = 16,  // the sizes are the next pair of ReadBatch::longSizes
    };
    const char* name = nullptr;
    const char* value = nullptr;
    std::uint32_t nameSize = 0;
    std::uint32_t valueSize = 0;
    AdifReader::Event kind = AdifReader::Event::End;
    std::uint8_t flags = 0;
    std::uint8_t tag = 0; // ThreadedReader's FieldTagger's
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
    std::vector<std::size_t> recordLines;                        // AdifReader::Line() at each record's start
    std::vector<std::size_t> problemLines;                       // the line of each Malformed or TooManyFields event
    std::vector<std::pair<std::size_t, std::size_t>> longSizes;  // name and value sizes beyond 32 bits
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
