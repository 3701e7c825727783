#pragma once
// Where an AdifReader's buffers come from and where they go once it has
// read past them. A reader given one never reuses a buffer itself, so the
// views it has handed out stay valid for as long as the owner of the hook
// keeps the buffers they point into (the reading thread of a pipeline hands
// them over with the fields that point into them).
#include <cstddef>
#include <string>
#include <vector>

namespace shirl {

class ReaderBuffers {
public:
    virtual ~ReaderBuffers() = default;
    // A buffer of at least `size` bytes (its contents do not matter) to read into.
    virtual std::vector<char> Fresh(std::size_t size) = 0;
    // The reader has moved on from `buffer`, carrying its unread bytes into
    // a fresh one. `holdsRecord` tells whether a field of the record being
    // read (or the field being read) may still point into it.
    virtual void Retire(std::vector<char> buffer, bool holdsRecord) = 0;
    // An empty string for a value that is not whole in one buffer; it lives
    // as long as the buffers retired after it was handed out.
    virtual std::string& ValueCopy() = 0;
};

} // namespace shirl
