#pragma once
// The report as rows: the one place where an entry of the run report gets
// its label and the lists their blank rows, for shirl-cli and the windows
// alike; the one place where a fault gets its text; and the report as the windows show it, copy it and save it. An
// entry's line breaks (from the log) read as \r and \n, so that it stays one
// row; a list row holds one line, so a row given with line feeds is shown as
// one list row a line, and other control characters are shown as blanks so
// that they never hide the text.
#include <string>
#include <vector>

#include "base/fault.h"
#include "convert/run_report.h"

namespace shirl {

// One entry as a row: its kind's label ("INFO: ", "WARNING: ", "ERROR: ",
// "ERROR [2]: " with a code; none for a summary or an unlabelled entry),
// then its text on one line (a CR reads \r, an LF \n).
std::string ReportRowText(const ReportMessage& message);

// A fault as every front end shows it: the label "ERROR: ", then what went
// wrong ("ERROR: Could not open input file.").
std::string FaultText(const Fault& fault);

// The rows of a report: each non-empty list oldest first, an empty row
// where an entry asks for a blank before it, and one empty row after the list.
std::vector<std::string> ReportRows(const RunReport& report);

// One row of the report list: what the list shows, and the line as
// shirl-cli prints it (control characters kept).
struct ReportListRow {
    std::string shown;
    std::string printed;
};

// The list rows of a report: each row split at its line feeds (a row that
// begins with one gives an empty list row, then its text).
std::vector<ReportListRow> ReportListRows(const std::vector<std::string>& rows);

// The texts of `rows` as the list shows them.
std::vector<std::string> ShownTexts(const std::vector<ReportListRow>& rows);

// The whole report as shirl-cli prints it: every row followed by a line feed.
std::string ReportText(const std::vector<std::string>& rows);

// The printed lines of the list rows at `indices` (in list order, each once;
// indices outside the list are skipped), each followed by a line feed.
std::string ListRowsText(const std::vector<ReportListRow>& rows, std::vector<int> indices);

} // namespace shirl
