#pragma once
// The one option parser of shirl-cli: every command reads its arguments
// through it, so that an option means and reports the same everywhere.
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "convert/convert_qso.h"
#include "data/abbrev_list.h"
#include "data/selections.h"

namespace shirl::cli {

enum class Option {
    Selection,     // --selection CODE (or --selection=CODE): a Selection code in any letter case
    SelectionAuto, // with Selection: --selection auto, the Selection the log's CONTEST_ID names
    NoMobile,      // --no-mobile
    List,          // --list FILE, repeatable, and --list-mode extend|replace
    OutputDir,     // --output-dir DIR
    Csv,           // --csv
    Map,           // --map FILE (or auto)
    Call,          // --call CALL
    CountyLines,   // --county-lines copies|usaca
    From,          // --from FILE
    Window,        // --window MINUTES
    Threads,       // --threads 1|2
    CsvFile,       // --csv FILE (where --csv takes a file, not a flag)
    Needed,        // --needed FILE and --needed-confirmed FILE
    Confirmed,     // --confirmed SOURCES
    Band,          // --band BAND
    Mode,          // --mode MODE
    Claim,         // --claim PLACE=COUNTY, repeatable
};

struct CommandLine {
    std::optional<Selection> selection;
    bool selectionAuto = false; // --selection auto
    bool noMobile = false;
    std::vector<std::string> lists; // --list FILE, in order
    AbbrevList::Mode listMode = AbbrevList::Mode::Extend;
    std::optional<std::string> outputDir;
    bool csv = false;
    std::optional<std::string> map; // --map FILE, or "auto"
    std::optional<std::string> call; // --call CALL
    CountyLines countyLines = CountyLines::Copies; // --county-lines
    std::optional<std::string> from; // --from FILE
    std::optional<int> window;       // --window MINUTES
    std::optional<int> threads;      // --threads N: 1 or 2
    std::optional<std::string> csvFile;   // --csv FILE
    std::optional<std::string> needed;    // --needed FILE
    bool neededConfirmed = false;         // it was --needed-confirmed FILE
    std::optional<std::string> confirmed; // --confirmed SOURCES, as given
    std::optional<std::string> band;      // --band BAND, as given
    std::optional<std::string> mode;      // --mode MODE, as given
    std::vector<std::string> claims;      // --claim PLACE=COUNTY, in order
    std::vector<std::string> operands; // the arguments that are not options, in order
};

// What parsing ended in: a command line to run, or an exit status (0 after
// printing the help, 2 after a usage error).
struct ParseResult {
    std::optional<CommandLine> line;
    int status = 0;
};

// Reads `args` of `command`, which accepts the options `allowed` and --help
// (-h). An argument that does not start with '-' (and "-" itself) is an
// operand, and so is every argument after "--".
ParseResult ParseCommandLine(std::string_view command, const Args& args, std::initializer_list<Option> allowed,
                             std::string_view help);

// A usage error of `command`: "shirl-cli: COMMAND: MESSAGE" on stderr; returns 2.
int CommandUsageError(std::string_view command, const std::string& message);

// For a command that takes no operands: the usage error of the first one
// `line` has (2), or 0 when it has none.
int RejectOperands(std::string_view command, const CommandLine& line);

} // namespace shirl::cli
