// libFuzzer target: the CONTEST_ID scan of a log and the Selection
// detection over what it found. The log is read whole and in small pieces;
// both must find the same values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "adif/byte_io.h"
#include "convert/contest_id_scan.h"
#include "data/contest_ids.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view log(reinterpret_cast<const char*>(data), size);
    shirl::MemorySource whole(log);
    shirl::MemorySource pieces(log, false, 7);
    const auto ids = shirl::ReadContestIds(whole);
    if (shirl::ReadContestIds(pieces) != ids) std::abort();
    if (ids.size() > shirl::kMaxContestIds + 1) std::abort();
    for (const auto& id : ids)
        if (id.empty() || id.size() > shirl::kMaxContestIdLength + 3) std::abort();
    const shirl::SelectionDetection d = shirl::DetectSelection(ids);
    if (d.fault.has_value() == d.selection.IsValid()) std::abort();
    if (d.fault && d.fault->kind != shirl::FaultKind::PartyUnknown) std::abort();
    if (d.selection.IsValid() && d.info.rfind("Selection ", 0) != 0) std::abort();
    return 0;
}
