#pragma once
// What convert, lookup and abbreviations share about the operator's
// abbreviation lists: the help lines of --list and --list-mode, and loading
// the lists a command line names.
#include <optional>

#include "app/service/run_preparation.h"
#include "cli/options.h"
#include "data/abbrev_list.h"

namespace shirl::cli {

// The help lines of the two options.
inline constexpr const char* kListOptionsHelp =
    "  --list FILE       an abbreviation list (CSV: abbreviation,state,county or\n"
    "                    abbreviation,county_id); may be given more than once\n"
    "  --list-mode MODE  extend (default: the list is searched before the\n"
    "                    built-in table) or replace (only the list is searched)\n";

// Loads the lists that `line` names into `list` (left empty without lists).
// On a faulty list prints its message on stderr and returns false.
bool LoadListOptions(const CommandLine& line, std::optional<AbbrevList>& list);

// The lists of a conversion that `line` names, into `lists`: with
// --selection auto each serves the Selection its file name names (SD.csv,
// MARAC.replace.csv), else all serve `selection`. Returns 0, or the exit
// status after printing why not: 2 for a file named after no Selection
// (with auto), 1 for a faulty list.
int LoadRunLists(const CommandLine& line, Selection selection, RunLists& lists);

} // namespace shirl::cli
