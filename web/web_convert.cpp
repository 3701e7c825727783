// The page's Convert: the lists given with it, then the Convert command.
#include "web/web_convert.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "app/service/convert_command.h"
#include "app/service/fill_command.h"
#include "app/service/log_input.h"
#include "app/service/map_file.h"
#include "app/service/offered_name.h"
#include "app/service/report_view.h"
#include "app/service/run_preparation.h"
#include "convert/contest_id_scan.h"
#include "data/abbrev_list.h"
#include "data/contest_ids.h"
#include "data/selections.h"

namespace shirl::web {
namespace {

// A fault of the lists, found before the run.
WebConvertResult ListFault(const Fault& fault) {
    WebConvertResult result;
    result.error = FaultText(fault);
    result.listFault = true;
    return result;
}

// The offered output name, numbered past the names already taken.
std::string FreeOutputName(const std::string& offered, const std::vector<std::string>& taken) {
    const auto isTaken = [&taken](const std::string& name) {
        return std::find(taken.begin(), taken.end(), name) != taken.end();
    };
    std::string name = offered;
    for (int number = 2; isTaken(name); ++number) name = NumberedName(offered, number);
    return name;
}

// The Convert request of the page's `request` (without its output name),
// its lists loaded into `lists`; a list's fault instead.
std::optional<Fault> MakeRequest(const WebConvertRequest& request, ConvertRequest& convert, RunLists& lists) {
    convert.inputName = request.inputName;
    convert.addMobile = request.addMobile;
    convert.countyLines = request.usaca ? CountyLines::Usaca : CountyLines::Copies;
    convert.selectionFromLog = request.selectionCode == "auto";
    if (!convert.selectionFromLog)
        convert.selection = FindSelectionByCode(request.selectionCode).value_or(Selection());

    // As in the window, the lists are read once a Selection is chosen; with
    // the Selection from the log each serves the party it is named after.
    if (!request.lists.empty() && (convert.selectionFromLog || convert.selection.IsValid())) {
        const auto mode = request.replace ? AbbrevList::Mode::Replace : AbbrevList::Mode::Extend;
        if (auto fault = LoadGivenLists(request.lists, mode, convert.selectionFromLog, convert.selection, lists))
            return fault;
    }
    convert.lists = &lists;
    return std::nullopt;
}

} // namespace

std::string NumberedName(const std::string& name, int number) {
    // The map's name rule tells where the extension starts.
    const std::string map = OfferedMapName(name);
    const std::size_t stem = map.size() - std::string_view("-map.svg").size();
    return name.substr(0, stem) + "-" + std::to_string(number) + name.substr(stem);
}

WebConvertResult WebConvert(const WebConvertRequest& request) {
    ConvertRequest convert;
    RunLists lists;
    if (const auto fault = MakeRequest(request, convert, lists)) return ListFault(*fault);
    // As in the window, the ADIF log made from a Cabrillo log is named .adi.
    convert.nameOutput = [&request](const std::string& adifName) -> std::optional<std::string> {
        return FreeOutputName(OfferedOutputName(adifName), request.taken);
    };

    const ConvertOutcome outcome = RunConvertCommand(convert);
    WebConvertResult result;
    if (outcome.fault) {
        result.error = FaultText(*outcome.fault);
        result.partyUnknown = outcome.fault->kind == FaultKind::PartyUnknown;
    } else {
        result.outputName = outcome.outputName;
        result.reportName = OfferedReportName(outcome.outputName);
        result.map = CountyMapSvg(outcome);
        if (const auto none = NoMapFault(outcome)) result.noMap = FaultText(*none);
        else result.mapName = OfferedMapName(outcome.outputName);
    }
    result.rows = ReportListRows(ReportRows(outcome.report));
    return result;
}

WebFillResult WebFill(const WebConvertRequest& contest, const std::string& logbookName) {
    FillRequest fill;
    RunLists lists;
    WebFillResult result;
    if (const auto fault = MakeRequest(contest, fill.contest, lists)) {
        result.error = FaultText(*fault);
        return result;
    }
    if (!fill.contest.selectionFromLog && !fill.contest.selection.IsValid()) {
        result.error = FaultText({FaultKind::NoSelection});
        return result;
    }
    fill.logbookName = logbookName;
    // A logbook named as the contest log lies in a folder of its own; the
    // filled one is written beside the contest log all the same.
    const std::string base = logbookName.substr(logbookName.rfind('/') + 1);
    const std::size_t dot = base.rfind('.');
    fill.outputName = base.substr(0, dot == 0 ? std::string::npos : dot) + "-filled.adi";
    const FillOutcome outcome = RunFillCommand(fill);
    if (outcome.fault) result.error = FaultText(*outcome.fault);
    else result.outputName = fill.outputName;
    result.rows = ReportListRows(ReportRows(outcome.report));
    return result;
}

WebDetection WebDetect(const std::string& inputName) {
    const FileDetection detected = DetectFile(inputName);
    const std::string notAdif = FaultText({FaultKind::LogbookNotAdif, inputName});
    const std::string code(detected.selection.Code());
    switch (detected.kind) {
    case LogKind::NotALog: return {"none", "", FaultText({FaultKind::NotALog, inputName}), notAdif};
    case LogKind::Utf16: return {"utf16", "", FaultText({FaultKind::Utf16Log, inputName}), notAdif};
    case LogKind::Cabrillo: return {"cabrillo", code, "", notAdif};
    case LogKind::Adif: break;
    }
    return {"adif", code};
}

} // namespace shirl::web
