// The one preparation of a run for every front end: the only caller of the
// party detection and of the lists folders.
#include "app/service/run_preparation.h"

#include <algorithm>

#include "app/service/abbrev_list_files.h"
#include "app/service/log_input.h"
#include "convert/contest_id_scan.h"
#include "data/contest_ids.h"
#include "files/file_system.h"

namespace shirl {
namespace {

// Reads the whole of `input` for its CONTEST_ID values and tells the party;
// nullopt when the input cannot be read.
std::optional<SelectionDetection> DetectSelectionOfLog(ByteSource& input, bool* adifLog = nullptr) {
    SelectionDetection detected = DetectSelection(ReadContestIds(input, adifLog));
    if (input.Failed()) return std::nullopt;
    return detected;
}

// The given list that serves `selection`, or none.
const AbbrevList* GivenList(const RunLists& lists, Selection selection) {
    for (const auto& [served, list] : lists.given)
        if (served == selection) return &list;
    return nullptr;
}

// The list files of `selection` in `folders` loaded into `run.found` (left
// empty when there are none); a list's fault instead.
std::optional<Fault> LoadFolderLists(const std::vector<std::string>& folders, Selection selection, PreparedRun& run) {
    const FoundLists found = FindListsForSelection(folders, std::string(selection.Code()));
    if (found.files.empty()) return std::nullopt;
    AbbrevList list(found.replace ? AbbrevList::Mode::Replace : AbbrevList::Mode::Extend);
    if (auto fault = LoadAbbrevListFiles(list, found.files)) return fault;
    run.found.emplace(std::move(list));
    return std::nullopt;
}

} // namespace

RunLists ListsInFolders(const std::string& programFolder) { return RunLists{{}, ListFolders(programFolder)}; }

std::optional<Fault> LoadGivenLists(const std::vector<std::string>& files, AbbrevList::Mode mode, bool byFileName,
                                    Selection selection, RunLists& lists) {
    // The files of each Selection, in the order given.
    std::vector<std::pair<NamedList, std::vector<std::string>>> groups;
    for (const std::string& file : files) {
        NamedList named{selection, mode == AbbrevList::Mode::Replace};
        if (byFileName) {
            const std::optional<NamedList> fromName = SelectionOfListFile(file);
            if (!fromName) return Fault{FaultKind::ListUnnamed, file};
            named = *fromName;
        }
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const auto& g) { return g.first.selection == named.selection; });
        if (group == groups.end()) group = groups.insert(groups.end(), {named, {}});
        group->first.replace = group->first.replace || named.replace;
        group->second.push_back(file);
    }
    for (const auto& [named, names] : groups) {
        const bool replace = named.replace || mode == AbbrevList::Mode::Replace;
        auto& list = lists.given.emplace_back(named.selection, replace ? AbbrevList::Mode::Replace
                                                                       : AbbrevList::Mode::Extend).second;
        if (auto fault = LoadAbbrevListFiles(list, names)) return fault;
    }
    return std::nullopt;
}

std::optional<Fault> PrepareRun(const RunRequest& request, ByteSource& input, PreparedRun& run) {
    run.selection = request.selection;
    run.chosen = !request.selectionFromLog;
    if (request.selectionFromLog) {
        bool adifLog = true;
        const std::optional<SelectionDetection> detected = DetectSelectionOfLog(input, &adifLog);
        if (!detected || !input.Rewind()) return Fault{FaultKind::CannotReadInput};
        if (!adifLog) return Fault{FaultKind::NotALog, request.inputName};
        if (detected->fault) return detected->fault;
        run.selection = detected->selection;
        run.report.progress.Info(detected->info);
    }
    if (request.lists != nullptr) {
        run.given = GivenList(*request.lists, run.selection);
        if (run.given == nullptr && run.selection.IsValid())
            if (auto fault = LoadFolderLists(request.lists->folders, run.selection, run)) return fault;
    }
    for (std::string& text : AbbrevListUseTexts(run.List(), run.selection)) run.report.progress.Info(std::move(text));
    return std::nullopt;
}

void CheckSelectionAgainstLog(const std::vector<std::string>& contestIds, PreparedRun& run) {
    if (!run.chosen) return; // taken from the log: the same party
    auto warning = SelectionMismatchWarning(DetectSelection(contestIds).selection, run.selection);
    if (!warning) return;
    run.report.progress.Insert(0, {.kind = MessageKind::Warning, .text = std::move(*warning)});
}

FileDetection DetectFile(const std::string& inputName) {
    if (inputName.empty() || KindOf(inputName) != FileKind::Regular) return {};
    LogInput input;
    if (!input.Open(inputName) || input.Kind() == LogKind::NotALog) return {};
    if (input.Kind() == LogKind::Utf16) return {LogKind::Utf16};
    bool adifLog = true;
    const std::optional<SelectionDetection> detected = DetectSelectionOfLog(input.Adif(), &adifLog);
    if (!adifLog) return {};
    return {input.Kind(), detected ? detected->selection : Selection()};
}

} // namespace shirl
