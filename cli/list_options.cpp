// Loading the lists of --list for every command that looks abbreviations up.
#include "cli/list_options.h"

#include <algorithm>
#include <cstdio>

#include "app/abbrev_list_files.h"

namespace shirl::cli {

namespace {

void PrintFault(const std::string& fault) {
    std::fwrite(fault.data(), 1, fault.size(), stderr);
    std::fputc('\n', stderr);
}

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

int LoadListsBySelection(const CommandLine& line, std::deque<std::pair<Selection, AbbrevList>>& lists) {
    // The files of each Selection, in the order given.
    std::vector<std::pair<NamedList, std::vector<std::string>>> groups;
    for (const std::string& file : line.lists) {
        const std::optional<NamedList> named = SelectionOfListFile(file);
        if (!named)
            return CommandUsageError("convert", "with --selection auto, name each --list file after its Selection "
                                                "(SD.csv, MARAC.replace.csv): '" + file + "'");
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const auto& g) { return g.first.selection == named->selection; });
        if (group == groups.end()) group = groups.insert(groups.end(), {*named, {}});
        group->first.replace = group->first.replace || named->replace;
        group->second.push_back(file);
    }
    for (const auto& [named, files] : groups) {
        const bool replace = named.replace || line.listMode == AbbrevList::Mode::Replace;
        auto& [selection, list] = lists.emplace_back(named.selection, replace ? AbbrevList::Mode::Replace
                                                                               : AbbrevList::Mode::Extend);
        if (const auto fault = LoadAbbrevListFiles(list, files)) {
            PrintFault(*fault);
            return 1;
        }
    }
    return 0;
}

} // namespace shirl::cli
