#pragma once
// The main dialog's state and handlers, free of any toolkit. A front end
// (Qt, Win32) implements DialogWindow and forwards its events to the On*
// handlers; the rules of the dialog live here once, for every front end.
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace shirl {

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind;
    std::string title;        // "Input ADIF File" / "Output ADIF file"
    std::string initialName;  // the member's current text, may be empty
    std::string defaultSuffix;// "adi"
    // Filter pairs in order: {"ADIF Files", "*.adi;*.adif;"}, {"All Files", "*.*"}
    std::vector<std::pair<std::string, std::string>> filters;
    bool mustExist;           // open dialog
    bool overwritePrompt;     // save dialog
};

enum class MessageIcon { None, Error };

// What the dialog asks of its window. Each front end implements this.
class DialogWindow {
public:
    virtual ~DialogWindow() = default;
    virtual void FillSelectionList(const std::vector<std::string>& rows) = 0;
    virtual void SetAddMobileCheck(bool checked) = 0;
    virtual bool GetAddMobileCheck() = 0;
    virtual int GetSelectionRow() = 0;  // -1 when no row is selected
    // Name boxes (data exchange).
    virtual std::string GetInputNameText() = 0;
    virtual std::string GetOutputNameText() = 0;
    virtual void SetNameTexts(const std::string& input, const std::string& output) = 0;
    // A modal message box; the caption is always the application name.
    virtual void ShowMessageBox(const std::string& text, MessageIcon icon) = 0;
    // A file dialog; nullopt when cancelled or failed.
    virtual std::optional<std::string> RunFileDialog(const FileDialogRequest& request) = 0;
    virtual void ReplaceReportRows(const std::vector<std::string>& rows) = 0;
    // Opens the user guide shipped with the program in the default web
    // browser; false when the browser could not be started.
    virtual bool OpenUserGuide() = 0;
    // Major and minor version read from the running program's own version
    // information, or nullopt when it has none (About then shows "").
    virtual std::optional<std::pair<int, int>> ReadProgramVersion() = 0;
};

class CShirlDlg {
public:
    explicit CShirlDlg(DialogWindow& window);

    // Dialog start-up: fills the Selection list and sets the check box.
    void OnInitDialog();

    void OnInputBrowse();
    void OnOutputBrowse();
    void OnConvert();
    void OnNameEdited();
    void OnSelectionChanged();
    void OnAddMobileClicked();
    void OnAboutButton();
    void OnHelpButton();

    const std::string& inputName() const { return m_inputName; }
    const std::string& outputName() const { return m_outputName; }
    int selection() const { return m_selection; }
    int addMobile() const { return m_addMobile; }

private:
    DialogWindow& m_window;
    std::string m_inputName;
    std::string m_outputName;
    int m_selection = -1;
    int m_addMobile = 1;
};

} // namespace shirl
