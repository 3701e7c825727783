// Loading the lists of --list for every command that looks abbreviations up.
#include "cli/list_options.h"

#include <cstdio>

#include "app/abbrev_list_files.h"

namespace shirl::cli {

bool LoadListOptions(const CommandLine& line, std::optional<AbbrevList>& list) {
    list.reset();
    if (line.lists.empty()) return true;
    list.emplace(line.listMode);
    if (const auto fault = LoadAbbrevListFiles(*list, line.lists)) {
        std::fwrite(fault->data(), 1, fault->size(), stderr);
        std::fputc('\n', stderr);
        list.reset();
        return false;
    }
    return true;
}

} // namespace shirl::cli
