#pragma once
// A report list as rows, for tests that check what a row reads (header only:
// it needs shirl_app, which the support library does not link).
#include <string>
#include <vector>

#include "app/service/report_view.h"
#include "convert/run_report.h"

namespace shirl::test {

// Each entry of `list` as its row (no blank rows).
inline std::vector<std::string> Rows(const MessageList& list) {
    std::vector<std::string> rows;
    for (const ReportMessage& message : list.OldestFirst()) rows.push_back(ReportRowText(message));
    return rows;
}

} // namespace shirl::test
