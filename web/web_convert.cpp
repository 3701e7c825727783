// The page's Convert: the lists given with it, then the Convert command.
#include "web/web_convert.h"

#include <utility>

#include "app/service/convert_command.h"
#include "app/service/log_input.h"
#include "app/service/map_file.h"
#include "app/service/offered_name.h"
#include "app/service/report_view.h"
#include "app/service/run_preparation.h"
#include "data/abbrev_list.h"
#include "data/selections.h"

namespace shirl::web {
namespace {

// A fault of the lists, found before the run.
WebConvertResult ListFault(std::string text) {
    WebConvertResult result;
    result.error = std::move(text);
    result.listFault = true;
    return result;
}

} // namespace

WebConvertResult WebConvert(const WebConvertRequest& request) {
    ConvertRequest convert;
    convert.inputName = request.inputName;
    // As in the window, the ADIF log made from a Cabrillo log is named .adi.
    convert.outputName = OfferedOutputName(AdifNameOfLog(request.inputName));
    convert.addMobile = request.addMobile;
    convert.selectionFromLog = request.selectionCode == "auto";
    if (!convert.selectionFromLog)
        convert.selection = FindSelectionByCode(request.selectionCode).value_or(Selection());

    // As in the window, the lists are read once a Selection is chosen; with
    // the Selection from the log each serves the party it is named after.
    RunLists lists;
    if (!request.lists.empty() && (convert.selectionFromLog || convert.selection.IsValid())) {
        std::string fault, unnamed;
        const auto mode = request.replace ? AbbrevList::Mode::Replace : AbbrevList::Mode::Extend;
        if (!LoadGivenLists(request.lists, mode, convert.selectionFromLog, convert.selection, lists, &fault, &unnamed))
            return ListFault(!fault.empty() ? fault
                                            : "ERROR: Abbreviation list " + unnamed +
                                                  ": with the Selection from the log, name each list after its "
                                                  "Selection (SD.csv, MARAC.replace.csv).");
    }
    convert.lists = &lists;

    const ConvertOutcome outcome = RunConvertCommand(convert);
    WebConvertResult result;
    result.error = outcome.error;
    if (!result.error) {
        result.outputName = convert.outputName;
        result.mapName = OfferedMapName(convert.outputName);
        result.map = CountyMapSvg(outcome);
    }
    result.rows = ReportListRows(ReportRows(outcome.report));
    return result;
}

std::string WebDetect(const std::string& inputName) {
    return std::string(DetectSelectionOfFile(inputName).Code());
}

} // namespace shirl::web
