#pragma once
// Loading operator abbreviation lists from files, for every front end.
#include <optional>
#include <string>
#include <vector>

#include "base/fault.h"
#include "data/abbrev_list.h"
#include "data/selections.h"

namespace shirl {

// A list file larger than this is refused (a list of every US county is
// well under 200 KiB).
inline constexpr std::size_t kMaxAbbrevListBytes = std::size_t{16} << 20;

// Reads each file (UTF-8 name) in order into `list`; the first list's fault
// stops it and is returned: the run must not start.
std::optional<Fault> LoadAbbrevListFiles(AbbrevList& list, const std::vector<std::string>& fileNames);

// Where the window looks for lists: the "lists" folder of the user's settings
// folder, then the "lists" folder next to the program (`programFolder`,
// skipped when empty).
std::vector<std::string> ListFolders(const std::string& programFolder);

// The Selection that a list file is named after ("SD.csv",
// "MARAC.replace.csv", the code in any letter case) and whether the name
// asks to replace; nullopt for any other name.
struct NamedList {
    Selection selection;
    bool replace = false;
};
std::optional<NamedList> SelectionOfListFile(const std::string& fileName);

// The list files of Selection `code` in `folders`: "CODE.csv" (extends) and
// "CODE.replace.csv" (replaces), in folder order. `replace` is set when any
// replacing file is among them.
struct FoundLists {
    std::vector<std::string> files;
    bool replace = false;
};
FoundLists FindListsForSelection(const std::vector<std::string>& folders, const std::string& code);

} // namespace shirl
