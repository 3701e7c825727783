// --list and --list-mode for every command that looks abbreviations up.
#include "cli/list_options.h"

#include <cstdio>

#include "app/abbrev_list_files.h"

namespace shirl::cli {
namespace {

// The value of an option given as "--name VALUE" or "--name=VALUE".
std::optional<std::string> OptionValue(const Args& args, std::size_t& i, const std::string& name, bool& missing) {
    const std::string& arg = args[i];
    if (arg == name) {
        if (i + 1 >= args.size()) {
            missing = true;
            return std::nullopt;
        }
        return args[++i];
    }
    if (arg.rfind(name + "=", 0) == 0) return arg.substr(name.size() + 1);
    return std::nullopt;
}

} // namespace

ListOptionResult TakeListOption(const Args& args, std::size_t& i, ListOptions& options, std::string& error) {
    bool missing = false;
    if (auto file = OptionValue(args, i, "--list", missing)) {
        options.files.push_back(std::move(*file));
        return ListOptionResult::Taken;
    }
    if (missing) {
        error = "--list needs a FILE";
        return ListOptionResult::UsageError;
    }
    if (auto mode = OptionValue(args, i, "--list-mode", missing)) {
        if (*mode == "extend") {
            options.mode = AbbrevList::Mode::Extend;
        } else if (*mode == "replace") {
            options.mode = AbbrevList::Mode::Replace;
        } else {
            error = "--list-mode must be extend or replace, not '" + *mode + "'";
            return ListOptionResult::UsageError;
        }
        return ListOptionResult::Taken;
    }
    if (missing) {
        error = "--list-mode needs extend or replace";
        return ListOptionResult::UsageError;
    }
    return ListOptionResult::NotListOption;
}

bool LoadListOptions(const ListOptions& options, std::optional<AbbrevList>& list) {
    list.reset();
    if (options.files.empty()) return true;
    list.emplace(options.mode);
    if (const auto fault = LoadAbbrevListFiles(*list, options.files)) {
        std::fwrite(fault->data(), 1, fault->size(), stderr);
        std::fputc('\n', stderr);
        list.reset();
        return false;
    }
    return true;
}

} // namespace shirl::cli
