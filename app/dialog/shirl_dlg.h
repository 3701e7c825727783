#pragma once
// The main dialog's state and handlers, free of any toolkit. A front end
// (Qt, Win32) implements DialogWindow and forwards its events to the On*
// handlers; the rules of the dialog live here once, for every front end.
//
// What a front end does itself: build the 13 controls of the template
// (kDialogCaption, 372 x 258 dialog units), call OnInitDialog once they
// exist, and route: "Input" -> OnInputBrowse, "Output" -> OnOutputBrowse,
// "Convert" (the default button, Enter) -> OnConvert, an edit of either
// name box -> OnNameEdited, a new Selection row -> OnSelectionChanged,
// the check box -> OnAddMobileClicked, "About" -> OnAboutButton,
// "Help" -> OnHelpButton. "Exit" and Escape close the dialog. Things
// dropped onto the window -> OnFilesDropped; the report list's "Copy"
// (and Ctrl+C) -> OnCopyReportRows, "Copy all" -> OnCopyReport,
// "Save report as..." -> OnSaveReport; "Map" -> OnMapButton and, in a
// window that shows the map, "Save map as..." -> OnSaveMap.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/service/convert_command.h"
#include "app/dialog/drop_rule.h"
#include "app/service/report_view.h"
#include "app/service/run_preparation.h"
#include "app/dialog/selection_choice.h"
#include "data/selections.h"

namespace shirl {

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::string title;         // "Input ADIF File" / "Output ADIF file"
    std::string initialName;   // the member's current text, may be empty; never cut
    std::string defaultSuffix; // "adi", appended to a name typed without one
    // Filter pairs in order ({"ADIF Files", "*.adi;*.adif;"}, {"All Files", "*.*"});
    // the first pair is in force when the dialog opens.
    std::vector<std::pair<std::string, std::string>> filters;
    bool mustExist = false;       // open dialog: only an existing file is accepted
    bool overwritePrompt = false; // save dialog: ask before replacing a file
};

enum class MessageIcon { None, Error };

// What the dialog asks of its window. Each front end implements this.
class DialogWindow {
public:
    virtual ~DialogWindow() = default;
    // Appends the rows, in order, to the (unsorted) Selection list and
    // leaves no row selected.
    virtual void FillSelectionList(const std::vector<std::string>& rows) = 0;
    virtual void SetAddMobileCheck(bool checked) = 0;
    virtual bool GetAddMobileCheck() = 0;
    virtual int GetSelectionRow() = 0;  // -1 when no row is selected
    // Shows row `row` (-1: none) as selected in the Selection list. The
    // dialog calls this for a detected Selection; the window does not report
    // it back as a pick of the user (OnSelectionChanged is ignored meanwhile).
    virtual void SetSelectionRow(int row) = 0;
    // Name boxes (data exchange).
    virtual std::string GetInputNameText() = 0;
    virtual std::string GetOutputNameText() = 0;
    virtual void SetNameTexts(const std::string& input, const std::string& output) = 0;
    // A modal message box; the caption is always the application name.
    virtual void ShowMessageBox(const std::string& text, MessageIcon icon) = 0;
    // A file dialog; nullopt when cancelled or failed.
    virtual std::optional<std::string> RunFileDialog(const FileDialogRequest& request) = 0;
    // Shows these rows in the report list (each holds one line of text).
    virtual void ReplaceReportRows(const std::vector<std::string>& rows) = 0;
    // Puts plain text (lines ended by line feeds) on the clipboard; false
    // when the clipboard could not be had.
    virtual bool PutTextOnClipboard(const std::string& text) = 0;
    // Opens the user guide shipped with the program in the default web
    // browser; false when the browser could not be started. A window that
    // learns of the failure later calls OnUserGuideFailed.
    virtual bool OpenUserGuide() = 0;
    // The guide's full file name, for the user to open by hand; empty when
    // the guide is not there.
    virtual std::string UserGuideFile() { return {}; }
    // Major and minor version read from the running program's own version
    // information, or nullopt when it has none (About then shows "").
    virtual std::optional<std::pair<int, int>> ReadProgramVersion() = 0;
    // Enables the Map button (after a conversion) or disables it.
    virtual void EnableMapButton(bool enabled) = 0;
    // Shows the map (SVG text) in a window of its own; false when this front
    // end has none, and the dialog then writes the map beside the output and
    // opens it with OpenWithDefaultProgram.
    virtual bool ShowCountyMap(const std::string& svg) = 0;
    // Opens the file with the program the system uses for its kind; false
    // when none could be started.
    virtual bool OpenWithDefaultProgram(const std::string& fileName) = 0;
};

// The dialog's caption, "Shirl 7.1", made from the project version.
std::string DialogCaption();

// The texts that identify the maker, shown by About (and in the Windows
// version resource).
inline constexpr std::string_view kCopyrightText = "2026 Shirl developers";
inline constexpr std::string_view kAuthorText = "Shirl developers";
inline constexpr std::string_view kEmailText = "shirl@example.org";

// Build date "Mmm dd yyyy" (day padded with a space below 10) and time
// "hh:mm:ss" of the program, fixed when shirl_app is compiled.
std::string_view BuildDate();
std::string_view BuildTime();

// The About text: "Copyright: ...\nAuthor: ...\nEmail:  ...\n\nVersion: M.m\n
// Date:    ...\nTime:    ..." for a version, "" without one.
std::string FormatAboutText(const std::optional<std::pair<int, int>>& version,
                            std::string_view buildDate, std::string_view buildTime);

// The settings of the two file dialogs. The initial name is the member's
// text in full.
FileDialogRequest InputFileDialogRequest(const std::string& initialName);
FileDialogRequest OutputFileDialogRequest(const std::string& initialName);
// The settings of the dialog that saves the report as text ("Save report as").
FileDialogRequest ReportFileDialogRequest(const std::string& initialName);
// The settings of the dialog that saves the map ("Save map as").
FileDialogRequest MapFileDialogRequest(const std::string& initialName);

// The box Help shows when the guide did not open: the BrowserUnavailable
// fault, and the guide's file when there is one.
std::string HelpFailureText(std::string_view guideFile);

class CShirlDlg {
public:
    explicit CShirlDlg(DialogWindow& window);

    // Dialog start-up: fills the Selection list and sets the check box.
    void OnInitDialog();

    void OnInputBrowse();
    // A file given to the program at start (its command line, "Open with"):
    // taken as if it had been chosen in the Input dialog.
    void OnInputGiven(std::string name);
    void OnOutputBrowse();
    void OnConvert();
    void OnNameEdited();
    void OnSelectionChanged();
    void OnAddMobileClicked();
    void OnAboutButton();
    void OnHelpButton();
    // The program that was to show the guide reported a failure.
    void OnUserGuideFailed();
    // Things dropped onto the window, in the order the drop lists them.
    void OnFilesDropped(const std::vector<DroppedItem>& items);
    // The report list's rows at these indices (the list's own rows), or
    // the whole report, onto the clipboard.
    void OnCopyReportRows(const std::vector<int>& listRows);
    void OnCopyReport();
    // Asks for a file name and saves the report there as shirl-cli prints it.
    void OnSaveReport();
    // The map of the last conversion: shown in the window, or written
    // beside the output and opened. Nothing before the first conversion.
    void OnMapButton();
    // Asks for a file name and saves the map of the last conversion there.
    void OnSaveMap();

    // The operator's abbreviation lists (ListsInFolders: the folders searched
    // at each Convert), set by the front end before the first Convert.
    void SetLists(RunLists lists) { m_lists = std::move(lists); }

    const std::string& inputName() const { return m_inputName; }
    const std::string& outputName() const { return m_outputName; }
    Selection selection() const { return m_choice.selection; }
    bool addMobile() const { return m_addMobile; }

    const std::vector<std::string>& reportRows() const { return m_reportRows; }

private:
    // Called whenever the input name changes (file dialog, typing, drop):
    // offers an output name unless the user gave one.
    void OnInputNameChanged();
    void ShowReport(std::vector<std::string> rows);
    void CopyText(const std::string& text);
    // The message box of a fault.
    void ShowFault(const Fault& fault);

    DialogWindow& m_window;
    std::string m_inputName;
    std::string m_outputName;
    std::string m_offeredOutputName;  // the output name last offered, "" for none
    std::vector<std::string> m_reportRows;    // as shirl-cli prints them
    std::vector<ReportListRow> m_reportList;  // as the list shows them
    SelectionChoice m_choice; // none until a row is picked or a Selection detected
    bool m_addMobile = true;
    RunLists m_lists;
    std::string m_detectedInput;  // the input name the last detection read
    bool m_settingRow = false;    // the dialog itself is changing the row
    // The last conversion (its Selection and QSOs per county, no rows) and
    // its output name, for the map.
    std::optional<ConvertOutcome> m_mapRun;
    std::string m_mapOutputName;

    void DetectSelectionOfInput();
};

} // namespace shirl
