// Reading an operator's abbreviation list. The whole file is checked before
// any row is added, so a list with a fault never half-works.
#include "data/abbrev_list.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <variant>

#include "base/text_util.h"
#include "data/county_names.h"
#include "data/csv_text.h"
#include "data/gazetteer.h"
#include "data/selections.h"

namespace shirl {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.append(1, '"').append(text).append(1, '"');
    return quoted;
}

// Where the columns of a list stand; -1 for a column it does not have.
struct Columns {
    int abbreviation = -1, state = -1, county = -1, countyId = -1;
    std::size_t count = 0;
};

// The header's columns, or the fault.
std::variant<Columns, std::string> ReadHeader(const std::vector<std::string>& cells) {
    Columns columns;
    columns.count = cells.size();
    const std::pair<std::string_view, int Columns::*> known[] = {
        {"abbreviation", &Columns::abbreviation}, {"state", &Columns::state},
        {"county", &Columns::county}, {"county_id", &Columns::countyId}};
    bool anyKnown = false;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string name = AsciiUpperCase(cells[i]);
        for (const auto& [text, member] : known) {
            if (name != AsciiUpperCase(text)) continue;
            if (columns.*member >= 0) return "column " + Quoted(text) + " given twice";
            columns.*member = static_cast<int>(i);
            anyKnown = true;
        }
    }
    if (!anyKnown) return std::string("no header row (abbreviation,state,county or abbreviation,county_id)");
    if (columns.abbreviation < 0) return std::string("missing column \"abbreviation\"");
    if (columns.countyId < 0) {
        if (columns.state < 0 && columns.county < 0)
            return std::string("missing columns \"state\" and \"county\" (or \"county_id\")");
        if (columns.state < 0) return std::string("missing column \"state\"");
        if (columns.county < 0) return std::string("missing column \"county\"");
    }
    return columns;
}

// " (did you mean "A" or "B"?)" for the names offered, "" for none.
std::string DidYouMean(const std::vector<std::string_view>& names) {
    if (names.empty()) return {};
    std::string text = " (did you mean ";
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " or " : ", ";
        text += Quoted(names[i]);
    }
    return text + "?)";
}

std::string CountyText(int countyId) {
    for (const GazetteerRow& row : Gazetteer())
        if (CountyId(row) == countyId)
            return std::string(row.stateCode) + "," + std::string(row.countyName);
    return std::to_string(countyId);
}

// The county id a data row names, or the fault.
std::variant<int, std::string> ReadCounty(const std::vector<std::string>& cells, const Columns& columns) {
    int byId = -1;
    if (columns.countyId >= 0) {
        const std::string& text = cells[static_cast<std::size_t>(columns.countyId)];
        const bool digits = !text.empty() && text.size() <= 6 &&
                            std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
        byId = digits ? std::stoi(text) : -1;
        if (!digits || !IsGazetteerCountyId(byId)) return "unknown county id " + Quoted(text);
    }
    if (columns.state < 0 || columns.county < 0) return byId;
    const std::string state = AsciiUpperCase(cells[static_cast<std::size_t>(columns.state)]);
    const std::string& county = cells[static_cast<std::size_t>(columns.county)];
    if (!IsGazetteerState(state)) return "unknown state " + Quoted(cells[static_cast<std::size_t>(columns.state)]);
    const CountyNameMatch match = MatchGazetteerCounty(state, county);
    const int byName = match.countyId;
    if (byName < 0) return "unknown county " + Quoted(county) + " in " + state + DidYouMean(match.closest);
    if (byId >= 0 && byId != byName)
        return "county id " + std::to_string(byId) + " is " + CountyText(byId) + ", not " + state + "," + county;
    return byName;
}

struct PendingRow {
    int countyId;
    std::string origin;
};

// One data row: its abbreviation (upper case) and county id, or the fault.
std::variant<std::pair<std::string, int>, std::string> ReadRow(const std::vector<std::string>& cells,
                                                               const Columns& columns) {
    if (cells.size() != columns.count)
        return std::to_string(cells.size()) + " columns, the header has " + std::to_string(columns.count);
    std::string abbreviation = AsciiUpperCase(cells[static_cast<std::size_t>(columns.abbreviation)]);
    if (abbreviation.empty()) return std::string("empty abbreviation");
    auto county = ReadCounty(cells, columns);
    if (auto* problem = std::get_if<std::string>(&county)) return std::move(*problem);
    return std::make_pair(std::move(abbreviation), std::get<int>(county));
}

// The lines of a text one at a time, line ends (LF or CR LF) dropped.
class Lines {
public:
    explicit Lines(std::string_view text) : m_text(text) {}
    bool Next(std::string_view& line) {
        if (m_pos >= m_text.size()) return false;
        std::size_t end = m_text.find('\n', m_pos);
        if (end == std::string_view::npos) end = m_text.size();
        line = m_text.substr(m_pos, end - m_pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        m_pos = end + 1;
        ++m_number;
        return true;
    }
    std::size_t number() const { return m_number; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_number = 0;
};

} // namespace

std::optional<Fault> AbbrevList::AddFile(std::string_view text, std::string_view name) {
    std::size_t lineNumber = 0;
    auto fault = [&](const std::string& what) {
        return Fault{FaultKind::ListFaulty, std::string(name), "line " + std::to_string(lineNumber) + ": " + what};
    };
    if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());
    if (const auto bad = FindInvalidUtf8(text)) {
        lineNumber = static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<long>(*bad), '\n')) + 1;
        return fault("not valid UTF-8");
    }

    std::optional<Columns> columns;
    std::map<std::string, PendingRow> added; // this file's rows, checked whole before any is kept
    Lines lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        lineNumber = lines.number();
        const std::string_view trimmed = TrimBlanks(line);
        if (trimmed.empty() || trimmed.front() == '#') continue;
        const auto cells = SplitCsvLine(line);
        if (!cells) return fault("a quote is not closed, or text follows a closing quote");
        if (!columns) {
            auto header = ReadHeader(*cells);
            if (auto* problem = std::get_if<std::string>(&header)) return fault(*problem);
            columns = std::get<Columns>(header);
            continue;
        }
        auto row = ReadRow(*cells, *columns);
        if (auto* problem = std::get_if<std::string>(&row)) return fault(*problem);
        const auto& [abbreviation, countyId] = std::get<std::pair<std::string, int>>(row);

        // The same abbreviation given before, in this file or an earlier list.
        std::optional<std::pair<int, std::string>> earlier;
        if (const auto it = added.find(abbreviation); it != added.end()) {
            earlier.emplace(it->second.countyId, it->second.origin);
        } else if (const AbbrevListRow* kept = Find(abbreviation)) {
            earlier.emplace(kept->countyId, m_origins.at(abbreviation));
        }
        if (earlier && earlier->first != countyId)
            return fault(Quoted(abbreviation) + " is given for two counties: " + CountyText(earlier->first) + " (" +
                         earlier->second + ") and " + CountyText(countyId));
        added.try_emplace(abbreviation, PendingRow{countyId, "line " + std::to_string(lineNumber) + " of " + std::string(name)});
    }
    lineNumber = std::max<std::size_t>(lines.number(), 1);
    if (!columns) return fault("no header row (abbreviation,state,county or abbreviation,county_id)");
    if (added.empty()) return fault("the list has no rows");

    // The new rows are gathered apart: Find searches m_rows as a sorted range,
    // so m_rows must not grow until the last one has been checked.
    std::vector<AbbrevListRow> fresh;
    for (auto& [abbreviation, row] : added) {
        if (Find(abbreviation) != nullptr) continue; // the same row in an earlier list
        fresh.push_back(AbbrevListRow{abbreviation, row.countyId});
        m_origins.emplace(abbreviation, std::move(row.origin));
    }
    m_rows.insert(m_rows.end(), std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
    // Byte order: std::string compares its bytes as unsigned char.
    std::sort(m_rows.begin(), m_rows.end(),
              [](const AbbrevListRow& a, const AbbrevListRow& b) { return a.abbreviation < b.abbreviation; });
    m_files.push_back(AbbrevListFile{std::string(name), added.size()});
    return std::nullopt;
}

const AbbrevListRow* AbbrevList::Find(std::string_view abbreviation) const {
    const auto it = std::lower_bound(m_rows.begin(), m_rows.end(), abbreviation,
                                     [](const AbbrevListRow& row, std::string_view key) { return row.abbreviation < key; });
    return it != m_rows.end() && it->abbreviation == abbreviation ? &*it : nullptr;
}

std::vector<std::string> AbbrevListUseTexts(const AbbrevList* list, Selection selection) {
    std::vector<std::string> rows;
    if (list == nullptr) return rows;
    for (const AbbrevListFile& file : list->files()) {
        rows.push_back("Using abbreviation list " + file.name + " for " + std::string(selection.Name()) +
                       " (" + std::to_string(file.rowCount) + (file.rowCount == 1 ? " row, " : " rows, ") +
                       (list->replaces() ? "replaces" : "extends") + " the built-in table).");
    }
    return rows;
}

} // namespace shirl
