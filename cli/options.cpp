#include "cli/options.h"
#include "cli/platform_io.h"

#include <algorithm>

#include "base/text_util.h"

namespace shirl::cli {
namespace {

constexpr std::string_view kSelectionOption = "--selection";

bool Allowed(std::initializer_list<Option> allowed, Option option) {
    return std::find(allowed.begin(), allowed.end(), option) != allowed.end();
}

bool IsOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

// Whether args[i] is the option `name` with a value ("--name VALUE" or
// "--name=VALUE"); the value goes to `value`, and `missing` is set when the
// value is not there.
bool TakeValue(const Args& args, std::size_t& i, std::string_view name, std::string& value, bool& missing) {
    const std::string& arg = args[i];
    if (arg == name) {
        missing = i + 1 == args.size();
        if (!missing) value = args[++i];
        return true;
    }
    if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 && arg[name.size()] == '=') {
        value = arg.substr(name.size() + 1);
        return true;
    }
    return false;
}

// --county-lines, --from and --window. Returns as TakeValueOption does.
std::optional<std::string> TakeFillOption(const Args& args, std::size_t& i, std::initializer_list<Option> allowed,
                                          CommandLine& line) {
    std::string value;
    bool missing = false;
    if (Allowed(allowed, Option::CountyLines) && TakeValue(args, i, "--county-lines", value, missing)) {
        if (missing || (value != "copies" && value != "usaca")) return "--county-lines needs copies or usaca";
        line.countyLines = value == "usaca" ? CountyLines::Usaca : CountyLines::Copies;
        return "";
    }
    if (Allowed(allowed, Option::From) && TakeValue(args, i, "--from", value, missing)) {
        if (missing || value.empty()) return "--from needs a CONTEST_LOG";
        line.from = value;
        return "";
    }
    if (Allowed(allowed, Option::Window) && TakeValue(args, i, "--window", value, missing)) {
        const bool digits = !value.empty() && value.size() <= 4 && std::all_of(value.begin(), value.end(), IsAsciiDigit);
        if (missing || !digits) return "--window needs MINUTES (0 to 9999)";
        line.window = std::stoi(value);
        return "";
    }
    return std::nullopt;
}

// The award's options. Returns as TakeValueOption does.
std::optional<std::string> TakeAwardOption(const Args& args, std::size_t& i, std::initializer_list<Option> allowed,
                                           CommandLine& line) {
    std::string value;
    bool missing = false;
    const auto take = [&](Option option, std::string_view name, std::optional<std::string>& into,
                          const char* what) -> std::optional<std::string> {
        if (!Allowed(allowed, option) || !TakeValue(args, i, name, value, missing)) return std::nullopt;
        if (missing || value.empty()) return std::string(name) + " needs " + what;
        into = value;
        return "";
    };
    if (auto taken = take(Option::CsvFile, "--csv", line.csvFile, "a FILE")) return taken;
    if (auto taken = take(Option::Needed, "--needed", line.needed, "a FILE")) return taken;
    if (auto taken = take(Option::Needed, "--needed-confirmed", line.needed, "a FILE")) {
        line.neededConfirmed = true;
        return taken;
    }
    if (auto taken = take(Option::Confirmed, "--confirmed", line.confirmed, "SOURCES")) return taken;
    if (auto taken = take(Option::Band, "--band", line.band, "a BAND")) return taken;
    if (auto taken = take(Option::Mode, "--mode", line.mode, "a MODE")) return taken;
    if (Allowed(allowed, Option::Claim) && TakeValue(args, i, "--claim", value, missing)) {
        if (missing || value.find('=') == std::string::npos) return "--claim needs PLACE=COUNTY";
        line.claims.push_back(value);
        return "";
    }
    return std::nullopt;
}

// The options with a value besides --selection. Returns an error message, or
// "" when args[i] was taken, or nullopt when it is none of them.
std::optional<std::string> TakeValueOption(const Args& args, std::size_t& i, std::initializer_list<Option> allowed,
                                           CommandLine& line) {
    std::string value;
    bool missing = false;
    if (Allowed(allowed, Option::List) && TakeValue(args, i, "--list", value, missing)) {
        if (missing) return "--list needs a FILE";
        line.lists.push_back(value);
        return "";
    }
    if (Allowed(allowed, Option::List) && TakeValue(args, i, "--list-mode", value, missing)) {
        if (missing || (value != "extend" && value != "replace")) return "--list-mode needs extend or replace";
        line.listMode = value == "replace" ? AbbrevList::Mode::Replace : AbbrevList::Mode::Extend;
        return "";
    }
    if (Allowed(allowed, Option::OutputDir) && TakeValue(args, i, "--output-dir", value, missing)) {
        if (missing || value.empty()) return "--output-dir needs a DIR";
        line.outputDir = value;
        return "";
    }
    if (Allowed(allowed, Option::Map) && TakeValue(args, i, "--map", value, missing)) {
        if (missing || value.empty()) return "--map needs a FILE or auto";
        line.map = value;
        return "";
    }
    if (Allowed(allowed, Option::Call) && TakeValue(args, i, "--call", value, missing)) {
        if (missing) return "--call needs a CALL";
        line.call = value;
        return "";
    }
    if (Allowed(allowed, Option::Threads) && TakeValue(args, i, "--threads", value, missing)) {
        if (missing || (value != "1" && value != "2")) return "--threads needs 1 or 2";
        line.threads = value == "1" ? 1 : 2;
        return "";
    }
    if (auto taken = TakeFillOption(args, i, allowed, line)) return taken;
    return TakeAwardOption(args, i, allowed, line);
}

} // namespace

int CommandUsageError(std::string_view command, const std::string& message) {
    return UsageError(std::string(command) + ": " + message);
}

int RejectOperands(std::string_view command, const CommandLine& line) {
    if (line.operands.empty()) return 0;
    return CommandUsageError(command, "unexpected argument '" + line.operands.front() + "'");
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
            WriteText(stdout, help);
            return {std::nullopt, 0};
        } else if (Allowed(allowed, Option::NoMobile) && arg == "--no-mobile") {
            line.noMobile = true;
        } else if (Allowed(allowed, Option::Csv) && arg == "--csv") {
            line.csv = true;
        } else if (auto taken = TakeValueOption(args, i, allowed, line)) {
            if (!taken->empty()) return error(*taken);
        } else if (Allowed(allowed, Option::Selection) &&
                   (arg == kSelectionOption || arg.rfind(std::string(kSelectionOption) + "=", 0) == 0)) {
            std::string code;
            if (arg == kSelectionOption) {
                if (i + 1 == args.size()) return error("--selection needs a CODE");
                code = args[++i];
            } else {
                code = arg.substr(kSelectionOption.size() + 1);
            }
            if (line.selection || line.selectionAuto) return error("--selection given twice");
            line.selectionAuto = Allowed(allowed, Option::SelectionAuto) && EqualsNoCase(code, "AUTO");
            if (line.selectionAuto) continue;
            line.selection = FindSelectionByCode(code);
            if (!line.selection)
                return error("unknown Selection code '" + code + "'; 'shirl-cli selections' lists the codes");
        } else {
            return error("unknown option '" + arg + "'");
        }
    }
    return {std::move(line), 0};
}

} // namespace shirl::cli
