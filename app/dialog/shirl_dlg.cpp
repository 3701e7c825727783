#include "app/dialog/shirl_dlg.h"

#include <algorithm>
#include <utility>

#include "app/service/convert_command.h"
#include "app/service/log_input.h"
#include "app/service/map_file.h"
#include "app/service/offered_name.h"
#include "app/service/run_preparation.h"
#include "app/service/version.h"
#include "data/selections.h"
#include "files/whole_file.h"

namespace shirl {

namespace {

// What the two file dialogs share: the ADIF filters and the "adi" suffix.
FileDialogRequest AdifFileRequest(FileDialogKind kind, const char* title, const std::string& initialName) {
    FileDialogRequest request;
    request.kind = kind;
    request.title = title;
    request.initialName = initialName;
    request.defaultSuffix = "adi";
    request.filters = {{"ADIF Files", "*.adi;*.adif;"}, {"All Files", "*.*"}};
    return request;
}

} // namespace

std::string DialogCaption() {
    return "Shirl " + std::to_string(SHIRL_VERSION_MAJOR) + "." + std::to_string(SHIRL_VERSION_MINOR);
}

// __DATE__ and __TIME__ already have the forms About shows.
std::string_view BuildDate() { return __DATE__; }
std::string_view BuildTime() { return __TIME__; }

std::string FormatAboutText(const std::optional<std::pair<int, int>>& version,
                            std::string_view buildDate, std::string_view buildTime) {
    if (!version) return {};
    std::string text;
    text.append("Copyright: ").append(kCopyrightText);
    text.append("\nAuthor: ").append(kAuthorText);
    text.append("\nEmail:  ").append(kEmailText);
    text.append("\n\nVersion: ")
        .append(std::to_string(version->first))
        .append(".")
        .append(std::to_string(version->second));
    text.append("\nDate:    ").append(buildDate);
    text.append("\nTime:    ").append(buildTime);
    return text;
}

FileDialogRequest InputFileDialogRequest(const std::string& initialName) {
    FileDialogRequest request = AdifFileRequest(FileDialogKind::Open, "Input ADIF File", initialName);
    // A Cabrillo log is read too (its kind is told from its content).
    request.filters = {{"ADIF and Cabrillo Logs", "*.adi;*.adif;*.log;*.cbr;*.txt;"},
                       {"ADIF Files", "*.adi;*.adif;"},
                       {"Cabrillo Logs", "*.log;*.cbr;*.txt;"},
                       {"All Files", "*.*"}};
    request.mustExist = true;
    return request;
}

FileDialogRequest OutputFileDialogRequest(const std::string& initialName) {
    FileDialogRequest request = AdifFileRequest(FileDialogKind::Save, "Output ADIF file", initialName);
    request.overwritePrompt = true;
    return request;
}

namespace {

// A Save dialog that asks before it replaces a file.
FileDialogRequest SaveDialogRequest(std::string title, const std::string& initialName, std::string suffix,
                                    std::string description, std::string pattern) {
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.title = std::move(title);
    request.initialName = initialName;
    request.defaultSuffix = std::move(suffix);
    request.filters = {{std::move(description), std::move(pattern)}, {"All Files", "*.*"}};
    request.overwritePrompt = true;
    return request;
}

} // namespace

FileDialogRequest ReportFileDialogRequest(const std::string& initialName) {
    return SaveDialogRequest("Save report as", initialName, "txt", "Text Files", "*.txt;");
}

FileDialogRequest MapFileDialogRequest(const std::string& initialName) {
    return SaveDialogRequest("Save map as", initialName, "svg", "SVG Pictures", "*.svg;");
}

CShirlDlg::CShirlDlg(DialogWindow& window) : m_window(window) {}

void CShirlDlg::OnInitDialog() {
    m_window.SetNameTexts(m_inputName, m_outputName);
    std::vector<std::string> rows;
    rows.reserve(DisplayOrder().size());
    for (const Selection s : DisplayOrder()) rows.emplace_back(s.Name());
    m_window.FillSelectionList(rows);
    m_window.SetAddMobileCheck(m_addMobile);
    m_window.EnableMapButton(false);
}

void CShirlDlg::OnInputBrowse() {
    auto chosen = m_window.RunFileDialog(InputFileDialogRequest(m_inputName));
    if (chosen) OnInputGiven(std::move(*chosen));
}

void CShirlDlg::OnInputGiven(std::string name) {
    m_inputName = std::move(name);
    OnInputNameChanged();
    m_window.SetNameTexts(m_inputName, m_outputName);
}

void CShirlDlg::OnOutputBrowse() {
    auto chosen = m_window.RunFileDialog(OutputFileDialogRequest(m_outputName));
    if (!chosen) return;
    m_outputName = std::move(*chosen);
    m_offeredOutputName.clear();  // chosen by the user: never replaced
    m_window.SetNameTexts(m_inputName, m_outputName);
}

void CShirlDlg::OnConvert() {
    ConvertRequest request;
    request.inputName = m_inputName;
    request.outputName = m_outputName;
    request.selection = m_choice.selection;
    request.addMobile = m_addMobile;
    request.lists = &m_lists; // a faulty list found for the Selection stops the run
    ConvertOutcome outcome = RunConvertCommand(request);
    if (outcome.fault) {
        ShowFault(*outcome.fault);
        return;
    }
    ShowReport(ReportRows(outcome.report));
    outcome.report = RunReport{}; // the map needs only the Selection and the counts
    m_mapRun = std::move(outcome);
    m_mapOutputName = m_outputName;
    m_window.EnableMapButton(true);
}

void CShirlDlg::OnMapButton() {
    if (!m_mapRun) return;
    if (const auto none = NoMapFault(*m_mapRun)) {
        ShowFault(*none);
        return;
    }
    const std::string svg = CountyMapSvg(*m_mapRun);
    if (m_window.ShowCountyMap(svg)) return;
    const std::string name = OfferedMapName(m_mapOutputName);
    if (name.empty() || !WriteWholeFile(name, svg))
        ShowFault({FaultKind::MapUnwritable});
    else if (!m_window.OpenWithDefaultProgram(name))
        ShowFault({FaultKind::MapUnopened});
}

void CShirlDlg::OnSaveMap() {
    if (!m_mapRun) return;
    if (const auto none = NoMapFault(*m_mapRun)) {
        ShowFault(*none);
        return;
    }
    auto chosen = m_window.RunFileDialog(MapFileDialogRequest(OfferedMapName(m_mapOutputName)));
    if (!chosen) return;
    if (!WriteCountyMap(*chosen, *m_mapRun)) ShowFault({FaultKind::MapUnwritable});
}

void CShirlDlg::ShowReport(std::vector<std::string> rows) {
    m_reportRows = std::move(rows);
    m_reportList = ReportListRows(m_reportRows);
    m_window.ReplaceReportRows(ShownTexts(m_reportList));
}

void CShirlDlg::OnNameEdited() {
    std::string input = m_window.GetInputNameText();
    std::string output = m_window.GetOutputNameText();
    if (output != m_outputName) {
        // Typed by the user: theirs from now on, even if it equals the offer.
        m_outputName = std::move(output);
        m_offeredOutputName.clear();
    }
    if (input == m_inputName) return;
    m_inputName = std::move(input);
    const std::string before = m_outputName;
    OnInputNameChanged();
    if (m_outputName != before) m_window.SetNameTexts(m_inputName, m_outputName);
}

void CShirlDlg::OnInputNameChanged() {
    DetectSelectionOfInput();
    // A name the user typed or chose stays; an empty box or the name offered
    // for the previous input follows the input.
    if (!m_outputName.empty() && m_outputName != m_offeredOutputName) return;
    // The ADIF log made from a Cabrillo log is offered as .adi.
    m_offeredOutputName = OfferedOutputName(AdifNameOfLog(m_inputName));
    m_outputName = m_offeredOutputName;
}

// A newly chosen or typed input file may name its party in CONTEST_ID: the
// State list then shows it, unless the user has picked a Selection.
void CShirlDlg::DetectSelectionOfInput() {
    if (m_choice.picked || m_inputName == m_detectedInput) return;
    m_detectedInput = m_inputName;
    // Only a Selection that the State list offers can be shown.
    const auto order = DisplayOrder();
    const auto it = std::find(order.begin(), order.end(), DetectSelectionOfFile(m_inputName));
    const int row = it == order.end() ? -1 : static_cast<int>(it - order.begin());
    const auto shown = TakeDetectedSelection(m_choice, row < 0 ? Selection() : *it);
    if (!shown) return;
    m_settingRow = true;
    m_window.SetSelectionRow(row);
    m_settingRow = false;
}

void CShirlDlg::OnFilesDropped(const std::vector<DroppedItem>& items) {
    const DropDecision decision = DecideDrop(items);
    if (decision.refusal) {
        ShowFault(*decision.refusal);
        return;
    }
    if (!decision.inputName) return;
    m_inputName = *decision.inputName;
    OnInputNameChanged();
    m_window.SetNameTexts(m_inputName, m_outputName);
    if (decision.reportNote) {
        std::vector<std::string> rows = m_reportRows;
        rows.push_back(ReportRowText({.kind = MessageKind::Info, .text = *decision.reportNote}));
        rows.emplace_back();
        ShowReport(std::move(rows));
    }
}

void CShirlDlg::CopyText(const std::string& text) {
    if (text.empty()) return;
    if (!m_window.PutTextOnClipboard(text))
        ShowFault({FaultKind::ClipboardUnavailable});
}

void CShirlDlg::ShowFault(const Fault& fault) { m_window.ShowMessageBox(FaultText(fault), MessageIcon::Error); }

void CShirlDlg::OnCopyReportRows(const std::vector<int>& listRows) { CopyText(ListRowsText(m_reportList, listRows)); }

void CShirlDlg::OnCopyReport() { CopyText(ReportText(m_reportRows)); }

void CShirlDlg::OnSaveReport() {
    if (m_reportRows.empty()) return;
    auto chosen = m_window.RunFileDialog(ReportFileDialogRequest(OfferedReportName(m_outputName)));
    if (!chosen) return;
    if (!WriteWholeFile(*chosen, ReportText(m_reportRows)))
        ShowFault({FaultKind::ReportUnwritable});
}

void CShirlDlg::OnSelectionChanged() {
    if (m_settingRow) return;
    const int row = m_window.GetSelectionRow();
    const auto order = DisplayOrder();
    // A drop-down list never goes back to having no row; a row outside the
    // list changes nothing.
    if (row < 0 || static_cast<std::size_t>(row) >= order.size()) return;
    PickSelection(m_choice, order[static_cast<std::size_t>(row)]);
}

void CShirlDlg::OnAddMobileClicked() { m_addMobile = m_window.GetAddMobileCheck(); }

void CShirlDlg::OnAboutButton() {
    m_window.ShowMessageBox(FormatAboutText(m_window.ReadProgramVersion(), BuildDate(), BuildTime()),
                            MessageIcon::None);
}

std::string HelpFailureText(std::string_view guideFile) {
    std::string text = FaultText({FaultKind::BrowserUnavailable});
    if (!guideFile.empty()) text.append("\n\nThe user guide is ").append(guideFile).append("; open it by hand.");
    return text;
}

void CShirlDlg::OnHelpButton() {
    if (!m_window.OpenUserGuide()) OnUserGuideFailed();
}

void CShirlDlg::OnUserGuideFailed() {
    m_window.ShowMessageBox(HelpFailureText(m_window.UserGuideFile()), MessageIcon::Error);
}

} // namespace shirl
