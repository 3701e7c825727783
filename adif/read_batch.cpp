#include "adif/read_batch.h"

#include <cstdint>
#include <limits>

namespace shirl {
namespace {

// A copy larger than this is given back to the system when its batch is
// cleared, so that one long value does not keep its memory for the run.
constexpr std::size_t kCopyKept = std::size_t{1} << 16;

} // namespace

std::string& ReadBatch::NewCopy() {
    if (copiesUsed == copies.size()) copies.emplace_back();
    std::string& copy = copies[copiesUsed++];
    copy.clear();
    return copy;
}

void ReadBatch::Add(const AdifReader& reader, AdifReader::Event kind, bool recordStart) {
    using Event = AdifReader::Event;
    ReadEvent event;
    event.bits = static_cast<std::uint8_t>(kind);
    std::string_view name, value;
    switch (kind) {
    case Event::HeaderBytes: name = reader.Bytes(); break;
    case Event::Malformed:
    case Event::TooManyFields:
        name = NewCopy().assign(reader.ProblemTag());
        problemLines.push_back(reader.ProblemLine());
        break;
    case Event::BadLength: name = NewCopy().assign(reader.Text()); break;
    case Event::Field:
    case Event::EndOfRecord:
        name = reader.Name();
        if (const std::optional<std::string_view> v = reader.Value()) {
            value = *v;
            event.bits |= ReadEvent::kHasValue;
        }
        if (reader.CharacterCounted()) event.bits |= ReadEvent::kCharacterCounted;
        if (!reader.FieldText().empty()) event.bits |= ReadEvent::kPlainText;
        if (recordStart) {
            event.bits |= ReadEvent::kRecordStart;
            recordLines.push_back(reader.RecordLine());
        }
        break;
    default: break;
    }
    event.name = name.data();
    // The value's place as an offset from the name, compared as addresses
    // (the two may stand in different buffers).
    const auto nameAt = reinterpret_cast<std::uintptr_t>(name.data());
    const auto valueAt = reinterpret_cast<std::uintptr_t>(value.data());
    const std::uintptr_t offset = value.data() == nullptr ? 0 : valueAt - nameAt;
    constexpr std::size_t kMaxSmall = std::numeric_limits<std::uint8_t>::max();
    // (A value before its name wraps round to a large offset.)
    if (name.size() > kMaxSmall || offset > kMaxSmall || value.size() >= std::numeric_limits<std::uint32_t>::max())
        [[unlikely]] {
        event.bits |= ReadEvent::kFar;
        farEvents.push_back({name.size(), value.data(), value.size()});
    } else {
        event.nameSize = static_cast<std::uint8_t>(name.size());
        event.valueAt = static_cast<std::uint8_t>(offset);
        event.valueSize = static_cast<std::uint32_t>(value.size());
    }
    events.push_back(event);
}

void ReadBatch::Clear(std::vector<std::vector<char>>& spare) {
    events.clear();
    recordLines.clear();
    problemLines.clear();
    farEvents.clear();
    for (std::vector<char>& block : blocks) spare.push_back(std::move(block));
    blocks.clear();
    for (std::size_t i = 0; i < copiesUsed; ++i)
        if (copies[i].capacity() > kCopyKept) copies[i] = std::string();
    copiesUsed = 0;
    last = failed = false;
    characterCountedValues = strays = 0;
    error = nullptr;
    if (notes) notes->Clear();
}

} // namespace shirl
