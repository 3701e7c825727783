#pragma once
// The rows of a CSV file of the source tree, for tests that compare a built
// table with the data it was built from instead of keeping a copy of it.
#include <fstream>
#include <string>
#include <vector>

#include "data/csv_text.h"

namespace shirl::test {

// The cells of each row of `relative` (such as "data/selections.csv") after
// its header line; a row that does not split is empty; no rows when unreadable.
inline std::vector<std::vector<std::string>> SourceCsvRows(const std::string& relative) {
    std::vector<std::vector<std::string>> rows;
    std::ifstream in(std::string(SHIRL_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::string line;
    for (bool header = true; std::getline(in, line); header = false) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!header && !line.empty()) rows.push_back(SplitCsvLine(line).value_or(std::vector<std::string>{}));
    }
    return rows;
}

} // namespace shirl::test
