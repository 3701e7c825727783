#pragma once
// The report as the windows show it, copy it and save it. The rows the
// Convert command returns stay as they are; a list row holds one line, so
// a row that carries line feeds is shown as one list row a line, and other
// control characters are shown as blanks so that they never hide the text.
#include <string>
#include <vector>

namespace shirl {

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
