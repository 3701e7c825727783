#pragma once
// The writer's edits of one logbook record: fields added at its end, right
// before <EOR>, separated as the record separates its own fields; and a
// copy of the filled record for a further county of a county line, a few
// seconds later, without the fields that claim a confirmation or upload.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "adif/byte_io.h"
#include "fill/record_scanner.h"

namespace shirl {

struct NewField {
    std::string name;
    std::string value;
};

// A scanned record: its bytes, its fields and where its <EOR> starts.
struct ScannedRecord {
    std::string_view bytes;
    std::span<const ScannedField> fields;
    std::size_t eor = 0;
};

// Writes `record` with `added` after its last field (before <EOR> when it
// has none); every other byte as it was.
void WriteWithFields(ByteSink& out, const ScannedRecord& record, std::span<const NewField> added);

// Whether the field `name` (any letter case) is left out of a copy: a
// confirmation or upload status (QSL_*, LOTW_*, EQSL_*, CLUBLOG_*,
// QRZCOM_*, HRDLOG_*, HAMLOGEU_*, HAMQTH_*).
bool LeftOutOfCopies(std::string_view name);

// Writes, after `record` as WriteWithFields wrote it, the record's line
// end and a copy of it whose QSO_DATE and TIME_ON are `start` (seconds
// since 1970) and whose fields named in `values` (any letter case; added
// or the record's own) take those values.
void WriteCopy(ByteSink& out, const ScannedRecord& record, std::span<const NewField> added, std::int64_t start,
               std::span<const NewField> values);

} // namespace shirl
