#pragma once
// The main dialog in Qt Widgets: the 12 controls of the dialog template,
// placed in dialog units, wired to the toolkit-free CShirlDlg. The window
// may grow beyond the template's size; the report list takes the room.
#include <QDialog>
#include <QString>
#include <QStringList>

#include "app/qt/dialog_units.h"
#include "app/dialog/shirl_dlg.h"

class QAction;
class QCheckBox;
class QMenu;
class QMimeData;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;

namespace shirl::qt {
class WidestRowDelegate;
}

namespace shirl::qt {

// One control of the template: its object name (the control's id name),
// and its place in dialog units. For the Selection list the height is that
// of the list when it drops down.
struct TemplateControl {
    const char* name;
    int x, y, w, h;
};

// The 13 controls in template order, which is also the tab order.
inline constexpr TemplateControl kTemplateControls[] = {
    {"IDC_INPUT_BROWSE", 204, 18, 50, 12},  {"IDC_OUTPUT_BROWSE", 204, 48, 50, 12},
    {"IDC_SELECTION", 18, 78, 168, 80},     {"IDC_ADD_MOBILE", 204, 96, 73, 10},
    {"IDOK", 306, 18, 50, 12},              {"IDC_ABOUT", 306, 54, 50, 12},
    {"IDC_HELP_BUTTON", 306, 72, 50, 12},   {"IDCANCEL", 306, 90, 50, 12},
    {"IDC_MAP_BUTTON", 306, 36, 50, 12},   {"IDC_INPUT_NAME", 18, 18, 168, 12},    {"IDC_OUTPUT_NAME", 18, 48, 168, 12},   {"IDC_REPORT", 18, 120, 336, 120},
    {"IDC_STATE_LABEL", 204, 78, 18, 8},
};
inline constexpr int kDialogWidthDu = 372;
inline constexpr int kDialogHeightDu = 258;

// A Qt name filter ("ADIF Files (*.adi *.adif)") from a description and
// its ';'-separated patterns; "*.*" means every file, as on Windows.
QString NameFilter(const std::string& description, const std::string& patterns);

// The user guide shipped with the program: next to the program in the
// build tree, in ../share/doc/shirl of an installed program, or where
// `cmake --install` put it. Empty when none of these exists.
QString FindUserGuide();

// What was dropped, as the dialog sees it: each URL of the drag data with
// its kind (a local file, a local folder, or anything else).
std::vector<DroppedItem> DroppedItemsOf(const QMimeData& data);

class MapWindow;

class ShirlWindow : public QDialog, public DialogWindow {
    Q_OBJECT
public:
    explicit ShirlWindow(QWidget* parent = nullptr);
    ~ShirlWindow() override;

    // Takes the file `path` (relative to the working folder, or absolute) as
    // the input, as if chosen in the Input dialog.
    void OpenInput(const QString& path);

    const CShirlDlg& dialog() const { return m_dlg; }
    DialogBaseUnits baseUnits() const { return m_units; }
    int reportRowCount() const;
    QStringList reportRows() const;
    // The report list's context menu ("Copy", "Copy all", "Save report
    // as..."), its actions enabled for the list's present state.
    QMenu* reportMenu();
    // The map's window once Map has been pressed, else nullptr.
    MapWindow* mapWindow() const { return m_mapWindow; }

    // DialogWindow. The message box, the file dialogs and the browser are
    // virtual hooks that tests replace.
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
    bool ShowCountyMap(const std::string& svg) override;
    bool OpenWithDefaultProgram(const std::string& fileName) override;

protected:
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateControls();
    void CreateReportMenu();
    void CopySelectedReportRows();
    void PlaceControls();
    // The report list at its template place, grown by what the window has
    // grown beyond its template size.
    void PlaceReportList();

    CShirlDlg m_dlg{*this};
    DialogBaseUnits m_units;
    QPushButton* m_inputBrowse = nullptr;
    QPushButton* m_outputBrowse = nullptr;
    QComboBox* m_selectionBox = nullptr;
    QCheckBox* m_addMobileCheck = nullptr;
    QPushButton* m_convert = nullptr;
    QPushButton* m_about = nullptr;
    QPushButton* m_help = nullptr;
    QPushButton* m_exit = nullptr;
    QPushButton* m_map = nullptr;
    MapWindow* m_mapWindow = nullptr;
    QLineEdit* m_inputNameBox = nullptr;
    QLineEdit* m_outputNameBox = nullptr;
    QListView* m_reportList = nullptr;
    QStringListModel* m_reportModel = nullptr;
    WidestRowDelegate* m_reportRows = nullptr;
    QLabel* m_stateLabel = nullptr;
    QMenu* m_reportMenu = nullptr;
    QAction* m_copyAction = nullptr;
    QAction* m_copyAllAction = nullptr;
    QAction* m_saveAction = nullptr;
};

} // namespace shirl::qt
