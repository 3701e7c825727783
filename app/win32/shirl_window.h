#pragma once
// The main dialog over the plain Win32 API: the IDD_MAIN template run
// modally, its messages routed to the toolkit-free CShirlDlg, and the
// DialogWindow operations done with the controls' own messages.
#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/dialog/shirl_dlg.h"

namespace shirl {

// The filter text of a common file dialog: description and pattern of each
// pair, each NUL-terminated, and one more NUL at the end.
std::string BuildFilterText(const std::vector<std::pair<std::string, std::string>>& filters);

// The full name of the running program (any length); empty when unknown.
std::wstring ModuleFileName();

// The OFN_* flags for a file dialog request.
DWORD FileDialogFlags(const FileDialogRequest& request);

// The names of a drop (WM_DROPFILES) with what each is: file, folder or other.
std::vector<DroppedItem> DroppedItemsOf(HDROP drop);

class CShirlWindow final : public DialogWindow {
public:
    CShirlWindow(HINSTANCE instance, std::string appName);
    CShirlWindow(const CShirlWindow&) = delete;
    CShirlWindow& operator=(const CShirlWindow&) = delete;

    // Runs IDD_MAIN modally with no parent; returns the EndDialog result.
    INT_PTR RunModal();
    // The file the dialog takes as its input once it is up, as if chosen in
    // the Input dialog ("" for none).
    void SetStartInput(std::string name) { m_startInput = std::move(name); }

    // DialogWindow
    void FillSelectionList(const std::vector<std::string>& rows) override;
    void SetAddMobileCheck(bool checked) override;
    bool GetAddMobileCheck() override;
    int GetSelectionRow() override;
    void SetSelectionRow(int row) override;
    std::string GetInputNameText() override;
    std::string GetOutputNameText() override;
    void SetNameTexts(const std::string& input, const std::string& output) override;
    void ShowMessageBox(const std::string& text, MessageIcon icon) override;
    std::optional<std::string> RunFileDialog(const FileDialogRequest& request) override;
    void ReplaceReportRows(const std::vector<std::string>& rows) override;
    bool PutTextOnClipboard(const std::string& text) override;
    bool OpenUserGuide() override;
    std::string UserGuideFile() override;
    std::optional<std::pair<int, int>> ReadProgramVersion() override;
    void EnableMapButton(bool enabled) override;
    // No picture control here: the dialog writes the map beside the output
    // and opens it with the default program for .svg.
    bool ShowCountyMap(const std::string&) override { return false; }
    bool OpenWithDefaultProgram(const std::string& fileName) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnInitDialog();
    bool OnCommand(int id, int code);
    bool OnPaint();
    void OnDropFiles(HDROP drop);
    void SetUpReportList();
    bool OnReportContextMenu(HWND from, LPARAM at);
    bool OnReportCommand(int id);
    std::string ItemText(int id) const;
    LRESULT SendItem(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    HINSTANCE m_instance;
    std::string m_appName;
    HWND m_hwnd = nullptr;
    HICON m_icon = nullptr;
    CShirlDlg m_dlg;
    std::string m_startInput;
};

} // namespace shirl
