// Loading the lists of --list for every command that looks abbreviations up.
#include "cli/list_options.h"

#include <cstdio>

#include "app/service/abbrev_list_files.h"
#include "app/service/report_view.h"
#include "cli/platform_io.h"

namespace shirl::cli {

namespace {

void PrintFault(const Fault& fault) { WriteLine(stderr, FaultText(fault)); }

} // namespace

bool LoadListOptions(const CommandLine& line, std::optional<AbbrevList>& list) {
    list.reset();
    if (line.lists.empty()) return true;
    list.emplace(line.listMode);
    if (const auto fault = LoadAbbrevListFiles(*list, line.lists)) {
        PrintFault(*fault);
        list.reset();
        return false;
    }
    return true;
}

int LoadRunLists(const CommandLine& line, Selection selection, RunLists& lists) {
    const auto fault = LoadGivenLists(line.lists, line.listMode, line.selectionAuto, selection, lists);
    if (!fault) return 0;
    if (fault->kind == FaultKind::ListUnnamed)
        return CommandUsageError("convert", "with --selection auto, name each --list file after its Selection "
                                            "(SD.csv, MARAC.replace.csv): '" + fault->subject + "'");
    PrintFault(*fault);
    return 1;
}

} // namespace shirl::cli
