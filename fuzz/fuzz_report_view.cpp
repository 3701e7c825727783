// libFuzzer target: the report as the list shows it (the bytes split into
// report rows at each 0xFF), and the names offered for the bytes taken as
// an input name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/service/offered_name.h"
#include "app/service/report_view.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> rows(1);
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) == 0xFF) rows.emplace_back();
        else rows.back().push_back(c);
    }
    const auto list = shirl::ReportListRows(rows);
    std::vector<int> all;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto& row = list[i];
        // One line a list row, no control character shown, nothing lost.
        if (row.shown.size() != row.printed.size()) std::abort();
        for (char c : row.shown)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) std::abort();
        all.push_back(static_cast<int>(i));
    }
    if (shirl::ListRowsText(list, all) != shirl::ReportText(rows)) std::abort();

    const std::string offered = shirl::OfferedOutputName(bytes);
    if (!offered.empty() && offered.size() != bytes.size() + 10) std::abort();  // "-converted" added
    const std::string report = shirl::OfferedReportName(bytes);
    if (!report.empty() && report.size() > bytes.size() + 11) std::abort();  // "-report.txt" added
    return 0;
}
