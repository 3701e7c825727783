#pragma once
// Abbreviation lists supplied by the operator at run time: UTF-8 CSV files
// that extend or replace the built-in tables of the run's Selection.
//
// A file has a header row naming its columns, either
//   abbreviation,state,county   (state code, county name as MatchGazetteerCounty takes it)
// or
//   abbreviation,county_id      (state FIPS * 1000 + county FIPS)
// Lines starting with '#' and blank lines are ignored.
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/fault.h"
#include "data/selections.h"

namespace shirl {

struct AbbrevListRow {
    std::string abbreviation; // upper case
    int countyId;
};

struct AbbrevListFile {
    std::string name;      // as the user gave it, for the report
    std::size_t rowCount;  // distinct abbreviations it gave
};

class AbbrevList {
public:
    enum class Mode { Extend, Replace };

    explicit AbbrevList(Mode mode = Mode::Extend) : m_mode(mode) {}

    // Reads the text of one list file and adds its rows. On a fault returns
    // it (ListFaulty, `name` and "line N: WHAT") and adds nothing.
    std::optional<Fault> AddFile(std::string_view text, std::string_view name);

    // The row of an abbreviation (exact bytes: abbreviations are upper case),
    // or nullptr.
    const AbbrevListRow* Find(std::string_view abbreviation) const;

    Mode mode() const { return m_mode; }
    bool replaces() const { return m_mode == Mode::Replace; }
    bool empty() const { return m_rows.empty(); }
    const std::vector<AbbrevListRow>& rows() const { return m_rows; } // ascending byte order
    const std::vector<AbbrevListFile>& files() const { return m_files; }

private:
    Mode m_mode;
    std::vector<AbbrevListRow> m_rows;
    std::map<std::string, std::string> m_origins; // abbreviation -> "line N of FILE", for a conflict's message
    std::vector<AbbrevListFile> m_files;
};

// The report texts (an info each) of a run that uses `list` for Selection
// `selection`: "Using abbreviation list FILE for NAME (N rows, extends the
// built-in table)." for each file. None without a list.
std::vector<std::string> AbbrevListUseTexts(const AbbrevList* list, Selection selection);

} // namespace shirl
