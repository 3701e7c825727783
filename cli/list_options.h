#pragma once
// The options that name operator abbreviation lists, shared by convert,
// lookup and abbreviations: --list FILE (repeatable), --list-mode
// extend|replace.
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "data/abbrev_list.h"

namespace shirl::cli {

struct ListOptions {
    std::vector<std::string> files;
    AbbrevList::Mode mode = AbbrevList::Mode::Extend;
};

// The help lines of the two options.
inline constexpr const char* kListOptionsHelp =
    "  --list FILE       an abbreviation list (CSV: abbreviation,state,county or\n"
    "                    abbreviation,county_id); may be given more than once\n"
    "  --list-mode MODE  extend (default: the list is searched before the\n"
    "                    built-in table) or replace (only the list is searched)\n";

enum class ListOptionResult { NotListOption, Taken, UsageError };

// Takes the list option at args[i] (advancing i past its value). On a usage
// error, `error` holds the message for UsageError.
ListOptionResult TakeListOption(const Args& args, std::size_t& i, ListOptions& options, std::string& error);

// Loads the lists named by `options` into `list` (nullopt without lists).
// On a faulty list prints its message on stderr and returns false.
bool LoadListOptions(const ListOptions& options, std::optional<AbbrevList>& list);

} // namespace shirl::cli
