// libFuzzer target: the award's county canonicaliser (ResolveCountySpelling)
// on any value, and the award's reading and tally of a whole logbook. The
// first byte splits the input: below 128 the rest is a CNTY value whose
// first two bytes are also the STATE; otherwise the rest is an ADIF logbook.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "adif/byte_io.h"
#include "award/award_report.h"
#include "award/award_tally.h"
#include "award/county_spelling.h"
#include "data/gazetteer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] < 128) {
        const shirl::SpelledCounty county = shirl::ResolveCountySpelling(rest, rest.substr(0, 2), 20130701);
        // An answer is a gazetteer county or a district, never both, and a
        // county answer has no nearest name.
        if (county.countyId >= 0 && (shirl::FindCounty(county.countyId) == nullptr || county.alaskaDistrict >= 0))
            std::abort();
        if (county.alaskaDistrict > 3 || (county.Resolved() && !county.nearest.empty())) std::abort();
        return 0;
    }
    shirl::MemorySource source(rest);
    shirl::AwardTally tally(shirl::AwardOptions{});
    shirl::ReadAwardQsos(source, [&tally](const shirl::AwardQso& qso) { tally.Add(qso); });
    if (shirl::ConfirmedCount(tally) > shirl::WorkedCount(tally)) std::abort();
    (void)shirl::AwardReportLines(tally);
    return 0;
}
