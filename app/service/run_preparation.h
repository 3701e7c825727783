#pragma once
// What every front end does before a log is converted, done once here: the
// Selection (given, or told from the log's CONTEST_ID), the operator's lists
// (given as files, or found in the lists folders) and the rows that open the
// report. Messages name no option of any front end.
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "adif/byte_io.h"
#include "app/service/log_input.h"
#include "base/fault.h"
#include "convert/run_report.h"
#include "data/abbrev_list.h"
#include "data/selections.h"

namespace shirl {

// The operator's lists of a run: lists given as files, loaded once for every
// log of the run, and the folders searched at each run for the lists of a
// Selection that no given list serves.
struct RunLists {
    std::deque<std::pair<Selection, AbbrevList>> given;
    std::vector<std::string> folders;
};

// The lists folders of a window whose program lies in `programFolder`.
RunLists ListsInFolders(const std::string& programFolder);

// Loads the list files given for a run into `lists`, in the order given.
// With `byFileName` each file serves the Selection its name names (SD.csv,
// MARAC.replace.csv; such a name or `mode` Replace makes the list replace);
// otherwise every file serves `selection`, in `mode`. Returns the first
// list's fault, or ListUnnamed for a file named after no Selection.
std::optional<Fault> LoadGivenLists(const std::vector<std::string>& files, AbbrevList::Mode mode, bool byFileName,
                                    Selection selection, RunLists& lists);

struct RunRequest {
    Selection selection{};           // none picked: Selection()
    bool selectionFromLog = false;   // take the Selection from the log's CONTEST_ID instead
    const RunLists* lists = nullptr;
    std::string inputName{};         // names the input in a fault
};

// A run made ready: its Selection, its list and the report's first rows.
struct PreparedRun {
    Selection selection;
    RunReport report;                // the Selection taken from the log, the lists in use
    bool chosen = false;             // the Selection was chosen, not taken from the log
    const AbbrevList* given = nullptr;
    std::optional<AbbrevList> found; // loaded from the lists folders

    // The list of the run, or none.
    const AbbrevList* List() const { return found ? &*found : given; }
};

// Prepares the run of `input` (left at its start) into `run`: with
// `selectionFromLog` the log is read once for its CONTEST_ID values. Returns
// the fault that stops the run: the party cannot be told (PartyUnknown), the
// input cannot be read or is no log, or a list found in the folders is faulty.
std::optional<Fault> PrepareRun(const RunRequest& request, ByteSource& input, PreparedRun& run);

// After the run of a chosen Selection: when `contestIds` (the log's
// CONTEST_ID values, as the conversion collected them) name another party,
// the report's first entry is a warning that names both.
void CheckSelectionAgainstLog(const std::vector<std::string>& contestIds, PreparedRun& run);

// What a log file holds, told before a run: its kind, and the Selection
// that its CONTEST_ID values name, or Selection() (also when they name none
// or several, or the log cannot be read). NotALog also for a name that is
// no regular file: a pipe is not opened (it would wait for a writer, and
// reading it would take the log away from the conversion).
struct FileDetection {
    LogKind kind = LogKind::NotALog;
    Selection selection{};
};
FileDetection DetectFile(const std::string& inputName);

// The Selection of DetectFile(inputName).
inline Selection DetectSelectionOfFile(const std::string& inputName) { return DetectFile(inputName).selection; }

} // namespace shirl
