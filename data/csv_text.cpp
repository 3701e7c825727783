// CSV cell splitting for the operator's lists.
#include "data/csv_text.h"

namespace shirl {

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<std::vector<std::string>> SplitCsvLine(std::string_view line) {
    std::vector<std::string> cells;
    std::size_t i = 0;
    for (;;) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        std::string cell;
        if (i < line.size() && line[i] == '"') {
            ++i;
            for (;;) {
                if (i == line.size()) return std::nullopt; // not closed
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        cell += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                cell += line[i++];
            }
            while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
            if (i < line.size() && line[i] != ',') return std::nullopt; // text after the quote
        } else {
            const std::size_t comma = line.find(',', i);
            const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
            cell = std::string(TrimBlanks(line.substr(i, end - i)));
            i = end;
        }
        cells.push_back(std::move(cell));
        if (i >= line.size()) return cells;
        ++i; // the comma
    }
}

} // namespace shirl
