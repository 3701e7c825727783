// shirl-cli convert: the Convert command on the command line, for one log
// (INPUT OUTPUT) or many (--output-dir DIR INPUT...).
#include <cstdio>
#include <iostream>
#include <optional>
#include <set>
#include <string>

#include "app/convert_command.h"
#include "cli/commands.h"
#include "cli/list_options.h"
#include "cli/output_dir.h"
#include "data/selections.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace shirl::cli {
namespace {

const std::string kConvertHelp = std::string(
    "Usage: shirl-cli convert --selection CODE|auto [OPTIONS] INPUT OUTPUT\n"
    "       shirl-cli convert --selection CODE|auto [OPTIONS] --output-dir DIR INPUT...\n"
    "\n"
    "Converts the ADIF log INPUT into OUTPUT for the Selection CODE (a state,\n"
    "province or QSO party code such as AL, PA, 7QP or USCQP, in any letter case)\n"
    "and prints the report, one row a line.\n"
    "\n"
    "  --selection CODE  the Selection whose abbreviations the log uses\n"
    "  --selection auto  the Selection that the log's CONTEST_ID values name\n"
    "                    (AL-QSO-PARTY, 7QP, WA-SALMON-RUN, ...); logs of the\n"
    "                    7QP/INQP/NEQP/DE weekend get MULTI\n"
    "  --no-mobile       do not add /M to the callsign of a mobile station\n"
    "                    whose callsign carries its county\n") +
    kListOptionsHelp +
    "  --output-dir DIR  convert every INPUT into DIR under its own file name;\n"
    "                    each report follows a line \"== INPUT\"\n"
    "\n"
    "A QSO whose county fields are empty takes its county from the last word of\n"
    "SRX_STRING (\"599 AUT\"), unless that word is a number.\n"
    "\n"
    "Examples:\n"
    "  shirl-cli convert --selection auto log.adi out.adi\n"
    "  shirl-cli convert --selection SD --list SD.csv log.adi out.adi\n"
    "  shirl-cli convert --selection auto --output-dir converted logs/*.adi\n"
    "\n"
    "Exit status: 0 when the conversion ran (with --output-dir: every one),\n"
    "1 when a check failed (message on stderr), 2 on a usage error.\n";

void WriteLine(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fputc('\n', stream);
}

void BinaryStdout() {
#ifdef _WIN32
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY); // the rows byte for byte, as on every system
#endif
}

struct ConvertOptions {
    ConvertRequest request;
    bool haveSelection = false;
    ListOptions lists;
    std::optional<std::string> outputDir;
    std::vector<std::string> files;
};

// Reads the options; returns an exit status when the command ends here.
std::optional<int> ParseConvertOptions(const Args& args, ConvertOptions& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string error;
        switch (TakeListOption(args, i, o.lists, error)) {
        case ListOptionResult::Taken: continue;
        case ListOptionResult::UsageError: return UsageError(error);
        case ListOptionResult::NotListOption: break;
        }
        if (arg == "--help" || arg == "-h") {
            std::cout << kConvertHelp;
            return 0;
        }
        std::string code;
        if (arg == "--selection" || arg == "--output-dir") {
            if (i + 1 == args.size()) return UsageError(arg + (arg == "--selection" ? " needs a CODE" : " needs a DIR"));
            (arg == "--selection" ? code : o.outputDir.emplace()) = args[++i];
            if (arg == "--output-dir") continue;
        } else if (arg.rfind("--selection=", 0) == 0) {
            code = arg.substr(12);
        } else if (arg.rfind("--output-dir=", 0) == 0) {
            o.outputDir = arg.substr(13);
            continue;
        } else if (arg == "--no-mobile") {
            o.request.addMobile = false;
            continue;
        } else if (arg == "--") {
            o.files.insert(o.files.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("unknown option '" + arg + "'");
        } else {
            o.files.push_back(arg);
            continue;
        }
        if (o.haveSelection) return UsageError("--selection given twice");
        o.haveSelection = true;
        o.request.selection = code == "auto" ? kSelectionFromLog : FindSelectionByCode(code);
        if (o.request.selection == -1) return UsageError("unknown selection code '" + code + "'");
    }
    if (o.outputDir) {
        if (o.outputDir->empty()) return UsageError("--output-dir needs a DIR");
        if (o.files.empty()) return UsageError("convert --output-dir needs at least one INPUT");
        return std::nullopt;
    }
    if (o.files.size() < 2) return UsageError("convert needs INPUT and OUTPUT");
    if (o.files.size() > 2) return UsageError("convert takes only INPUT and OUTPUT");
    return std::nullopt;
}

// Converts each input into the output folder; 0 only when every log converted.
int ConvertIntoFolder(ConvertOptions& o) {
    BinaryStdout();
    int status = 0;
    std::set<std::string> outputs;
    for (const std::string& input : o.files) {
        WriteLine(stdout, "== " + input);
        o.request.inputName = input;
        o.request.outputName = OutputNameInFolder(*o.outputDir, input);
        // Two inputs of one name would write the same output: the later one is refused.
        const bool repeated = !outputs.insert(o.request.outputName).second;
        const ConvertOutcome outcome =
            repeated ? ConvertOutcome{"ERROR: Another input of this run has the same file name.", {}}
                     : RunConvertCommand(o.request);
        if (outcome.error) {
            WriteLine(stdout, *outcome.error);
            WriteLine(stdout, "");
            status = 1;
            continue;
        }
        for (const std::string& row : outcome.rows) WriteLine(stdout, row);
    }
    std::fflush(stdout);
    return status;
}

} // namespace

int ConvertCommand(const Args& args) {
    ConvertOptions o;
    if (const auto status = ParseConvertOptions(args, o)) return *status;
    std::optional<AbbrevList> list;
    if (!LoadListOptions(o.lists, list)) return 1;
    if (list) o.request.list = &*list;
    if (o.outputDir) return ConvertIntoFolder(o);

    o.request.inputName = o.files[0];
    o.request.outputName = o.files[1];
    const ConvertOutcome outcome = RunConvertCommand(o.request);
    if (outcome.error) {
        WriteLine(stderr, *outcome.error);
        return 1;
    }
    BinaryStdout();
    for (const std::string& row : outcome.rows) WriteLine(stdout, row);
    std::fflush(stdout);
    return 0;
}

} // namespace shirl::cli
