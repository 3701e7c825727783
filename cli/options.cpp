#include "cli/options.h"

#include <algorithm>
#include <iostream>

namespace shirl::cli {
namespace {

constexpr std::string_view kSelectionOption = "--selection";

bool Allowed(std::initializer_list<Option> allowed, Option option) {
    return std::find(allowed.begin(), allowed.end(), option) != allowed.end();
}

bool IsOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

} // namespace

int CommandUsageError(std::string_view command, const std::string& message) {
    return UsageError(std::string(command) + ": " + message);
}

ParseResult ParseCommandLine(std::string_view command, const Args& args, std::initializer_list<Option> allowed,
                             std::string_view help) {
    CommandLine line;
    const auto error = [&](const std::string& message) { return ParseResult{std::nullopt, CommandUsageError(command, message)}; };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!IsOption(arg)) {
            line.operands.push_back(arg);
        } else if (arg == "--") {
            line.operands.insert(line.operands.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        } else if (arg == "--help" || arg == "-h") {
            std::cout << help << std::flush;
            return {std::nullopt, 0};
        } else if (Allowed(allowed, Option::NoMobile) && arg == "--no-mobile") {
            line.noMobile = true;
        } else if (Allowed(allowed, Option::Selection) &&
                   (arg == kSelectionOption || arg.rfind(std::string(kSelectionOption) + "=", 0) == 0)) {
            std::string code;
            if (arg == kSelectionOption) {
                if (i + 1 == args.size()) return error("--selection needs a CODE");
                code = args[++i];
            } else {
                code = arg.substr(kSelectionOption.size() + 1);
            }
            if (line.selection) return error("--selection given twice");
            line.selection = FindSelectionByCode(code);
            if (!line.selection) return error("unknown Selection code '" + code + "'");
        } else {
            return error("unknown option '" + arg + "'");
        }
    }
    return {std::move(line), 0};
}

} // namespace shirl::cli
