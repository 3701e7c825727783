#pragma once
// The Convert command without a window: the checks in their fixed order,
// the run, and the report rows as the dialog shows them. Every front end
// (command line, Qt window, Win32 window) calls this and nothing else.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "adif/byte_io.h"
#include "app/service/run_preparation.h"
#include "base/fault.h"
#include "convert/convert_log.h"
#include "convert/convert_qso.h"
#include "convert/run_report.h"
#include "data/abbrev_list.h"
#include "data/selections.h"

namespace shirl {

struct ConvertRequest {
    std::string inputName;
    std::string outputName{};
    Selection selection; // none picked: Selection()
    bool addMobile = true;
    bool selectionFromLog = false;   // take the Selection from the log's CONTEST_ID instead
    const RunLists* lists = nullptr; // the operator's lists, or none
    bool standardInput = false;      // the log comes from standard input (`inputName` names it in messages)
    bool standardOutput = false;     // the output goes to standard output (`outputName` is not a file)
    CountyLines countyLines = CountyLines::Copies;
    // Where set, names the output instead of `outputName`, once the input is
    // open and its kind known: from the name of the ADIF log made from it
    // (LogInput::AdifName); nullopt refuses it (another output of the run
    // has that name). The input is opened once.
    std::function<std::optional<std::string>(const std::string& adifName)> nameOutput{};
};

struct ConvertOutcome {
    // Set when a check failed before the run, when the input could not be
    // read whole or is no log, or when the output could not be written (the
    // report view gives its text). The output file is then as it was before
    // the command and `report` is empty.
    std::optional<Fault> fault;
    // The output's name (as given, or as `nameOutput` gave it; empty when
    // the run stopped before it was named).
    std::string outputName{};
    // The report of the run (app/report_view turns it into rows).
    RunReport report;
    // After a run: the Selection and the operator's list it used (a copy:
    // the outcome outlives the run) and its QSOs per county (gazetteer county
    // id to records written with that CNTY), for the map.
    Selection selection{};
    std::optional<AbbrevList> list{};
    std::map<int, std::int64_t> countyQsos{};
    std::map<std::string, std::int64_t> otherCntyQsos{}; // CNTY values that name no county
};

// Runs the Convert command: the checks, the run's preparation (PrepareRun)
// and the run.
ConvertOutcome RunConvertCommand(const ConvertRequest& request);

// Where the records of a run go: opened once the run is prepared, closed
// after it, and then kept (Commit) or dropped (Discard).
class ConvertOutput {
public:
    virtual ~ConvertOutput() = default;
    virtual bool Open() = 0;
    virtual ByteSink& Sink() = 0;
    // Ends the writing; false when not every byte was written.
    virtual bool Close() = 0;
    // Whether the bytes went straight to their place (a device or pipe).
    virtual bool IsDirect() const { return false; }
    virtual bool Commit() { return true; }
    virtual void Discard() {}
};

// The Convert command from the check of the Selection on, into `output`
// (request.outputName names it in the report, when there is one).
ConvertOutcome RunConvertCommand(const ConvertRequest& request, ConvertOutput& output);

} // namespace shirl
