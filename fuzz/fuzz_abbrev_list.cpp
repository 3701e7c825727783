// libFuzzer target: an operator's abbreviation list. Either the file is
// refused with one fault that names it and the line ("line N: ...") and the
// list is unchanged, or every row it added names a county of the gazetteer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "data/abbrev_list.h"
#include "data/county_names.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    shirl::AbbrevList list;
    // A first good list, so that conflicts across files are reached too.
    if (list.AddFile("abbreviation,county_id\nAUTA,1001\nOGLA,46113\n", "first.csv")) std::abort();
    const auto error = list.AddFile(text, "fuzz.csv");
    if (error) {
        if (error->kind != shirl::FaultKind::ListFaulty || error->subject != "fuzz.csv" ||
            error->detail.rfind("line ", 0) != 0 || error->detail.size() <= 5)
            std::abort();
        if (list.rows().size() != 2 || list.files().size() != 1) std::abort();
        return 0;
    }
    if (list.files().size() != 2) std::abort();
    for (std::size_t i = 0; i < list.rows().size(); ++i) {
        const shirl::AbbrevListRow& row = list.rows()[i];
        if (row.abbreviation.empty() || !shirl::IsGazetteerCountyId(row.countyId)) std::abort();
        if (i > 0 && !(list.rows()[i - 1].abbreviation < row.abbreviation)) std::abort();
        if (list.Find(row.abbreviation) != &row) std::abort();
    }
    return 0;
}
