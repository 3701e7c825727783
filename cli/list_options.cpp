// Loading the lists of --list for every command that looks abbreviations up.
#include "cli/list_options.h"

#include <cstdio>

#include "app/service/abbrev_list_files.h"
#include "cli/platform_io.h"

namespace shirl::cli {

namespace {

void PrintFault(const std::string& fault) {
    WriteLine(stderr, fault);
}

} // namespace

bool LoadListOptions(const CommandLine& line, std::optional<AbbrevList>& list) {
    list.reset();
    if (line.lists.empty()) return true;
    list.emplace(line.listMode);
    std::string fault;
    if (!LoadAbbrevListFiles(*list, line.lists, &fault)) {
        PrintFault(fault);
        list.reset();
        return false;
    }
    return true;
}

int LoadRunLists(const CommandLine& line, Selection selection, RunLists& lists) {
    std::string err, unnamed;
    if (LoadGivenLists(line.lists, line.listMode, line.selectionAuto, selection, lists, &err, &unnamed)) return 0;
    if (err.empty())
        return CommandUsageError("convert", "with --selection auto, name each --list file after its Selection "
                                            "(SD.csv, MARAC.replace.csv): '" + unnamed + "'");
    PrintFault(err);
    return 1;
}

} // namespace shirl::cli
