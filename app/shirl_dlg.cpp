#include "app/shirl_dlg.h"


#include "app/convert_command.h"
#include "app/version.h"
#include "data/selections.h"

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
    request.mustExist = true;
    return request;
}

FileDialogRequest OutputFileDialogRequest(const std::string& initialName) {
    FileDialogRequest request = AdifFileRequest(FileDialogKind::Save, "Output ADIF file", initialName);
    request.overwritePrompt = true;
    return request;
}

CShirlDlg::CShirlDlg(DialogWindow& window) : m_window(window) {}

void CShirlDlg::OnInitDialog() {
    m_window.SetNameTexts(m_inputName, m_outputName);
    std::vector<std::string> rows;
    rows.reserve(DisplayOrder().size());
    for (const Selection s : DisplayOrder()) rows.emplace_back(s.Name());
    m_window.FillSelectionList(rows);
    m_window.SetAddMobileCheck(m_addMobile);
}

void CShirlDlg::OnInputBrowse() {
    auto chosen = m_window.RunFileDialog(InputFileDialogRequest(m_inputName));
    if (!chosen) return;
    m_inputName = std::move(*chosen);
    m_window.SetNameTexts(m_inputName, m_outputName);
}

void CShirlDlg::OnOutputBrowse() {
    auto chosen = m_window.RunFileDialog(OutputFileDialogRequest(m_outputName));
    if (!chosen) return;
    m_outputName = std::move(*chosen);
    m_window.SetNameTexts(m_inputName, m_outputName);
}

void CShirlDlg::OnConvert() {
    ConvertRequest request;
    request.inputName = m_inputName;
    request.outputName = m_outputName;
    request.selection = m_selection;
    request.addMobile = m_addMobile;
    ConvertOutcome outcome = RunConvertCommand(request);
    if (outcome.error) {
        m_window.ShowMessageBox(*outcome.error, MessageIcon::Error);
        return;
    }
    m_window.ReplaceReportRows(outcome.rows);
}

void CShirlDlg::OnNameEdited() {
    m_inputName = m_window.GetInputNameText();
    m_outputName = m_window.GetOutputNameText();
}

void CShirlDlg::OnSelectionChanged() {
    const int row = m_window.GetSelectionRow();
    const auto order = DisplayOrder();
    // A drop-down list never goes back to having no row; a row outside the
    // list changes nothing.
    if (row < 0 || static_cast<std::size_t>(row) >= order.size()) return;
    m_selection = order[static_cast<std::size_t>(row)];
}

void CShirlDlg::OnAddMobileClicked() { m_addMobile = m_window.GetAddMobileCheck(); }

void CShirlDlg::OnAboutButton() {
    m_window.ShowMessageBox(FormatAboutText(m_window.ReadProgramVersion(), BuildDate(), BuildTime()),
                            MessageIcon::None);
}

void CShirlDlg::OnHelpButton() {
    if (!m_window.OpenUserGuide()) m_window.ShowMessageBox(std::string(kBrowserErrorText), MessageIcon::Error);
}

} // namespace shirl
