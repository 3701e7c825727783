// The page's Convert: lists loaded as the command line loads them, then the
// Convert command of the windows.
#include "web/web_convert.h"

#include <algorithm>
#include <deque>
#include <utility>

#include "app/abbrev_list_files.h"
#include "app/convert_command.h"
#include "app/offered_name.h"
#include "app/selection_choice.h"
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

// With the Selection taken from the log, each list serves the party it is
// named after (SD.csv extends, MARAC.replace.csv replaces), as with
// `shirl-cli convert --selection auto --list`.
std::optional<std::string> LoadListsByName(const WebConvertRequest& request,
                                           std::deque<std::pair<Selection, AbbrevList>>& lists) {
    std::vector<std::pair<NamedList, std::vector<std::string>>> groups;
    for (const std::string& name : request.lists) {
        const std::optional<NamedList> named = SelectionOfListFile(name);
        if (!named)
            return "ERROR: Abbreviation list " + name +
                   ": with the Selection from the log, name each list after its Selection (SD.csv, MARAC.replace.csv).";
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const auto& g) { return g.first.selection == named->selection; });
        if (group == groups.end()) group = groups.insert(groups.end(), {*named, {}});
        group->first.replace = group->first.replace || named->replace;
        group->second.push_back(name);
    }
    for (const auto& [named, files] : groups) {
        const bool replace = named.replace || request.replace;
        auto& loaded = lists.emplace_back(named.selection, replace ? AbbrevList::Mode::Replace : AbbrevList::Mode::Extend);
        if (auto fault = LoadAbbrevListFiles(loaded.second, files)) return fault;
    }
    return std::nullopt;
}

} // namespace

WebConvertResult WebConvert(const WebConvertRequest& request) {
    ConvertRequest convert;
    convert.inputName = request.inputName;
    convert.outputName = OfferedOutputName(request.inputName);
    convert.addMobile = request.addMobile;
    convert.selectionFromLog = request.selectionCode == "auto";
    if (!convert.selectionFromLog)
        convert.selection = FindSelectionByCode(request.selectionCode).value_or(Selection());

    std::optional<AbbrevList> list;
    std::deque<std::pair<Selection, AbbrevList>> listsBySelection;
    if (!request.lists.empty() && convert.selectionFromLog) {
        if (auto fault = LoadListsByName(request, listsBySelection)) return ListFault(std::move(*fault));
        for (const auto& [selection, loaded] : listsBySelection) convert.listsBySelection.push_back({selection, &loaded});
    } else if (!request.lists.empty() && convert.selection.IsValid()) {
        // As in the window: the lists are read once a Selection is chosen.
        list.emplace(request.replace ? AbbrevList::Mode::Replace : AbbrevList::Mode::Extend);
        if (auto fault = LoadAbbrevListFiles(*list, request.lists)) return ListFault(std::move(*fault));
        convert.list = &*list;
    }

    ConvertOutcome outcome = RunConvertCommand(convert);
    WebConvertResult result;
    result.error = std::move(outcome.error);
    if (!result.error) result.outputName = convert.outputName;
    result.rows = ReportListRows(outcome.rows);
    return result;
}

std::string WebDetect(const std::string& inputName) {
    return std::string(DetectSelectionOfFile(inputName).Code());
}

} // namespace shirl::web
