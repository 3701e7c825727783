#include "app/qt/shirl_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QResizeEvent>
#include <QStringListModel>
#include <QUrl>

#include <algorithm>
#include <iterator>
#include <string_view>

#include "app/service/run_preparation.h"
#include "app/qt/file_names.h"
#include "app/qt/map_window.h"
#include "app/qt/report_rows.h"
#include "app/service/version.h"

namespace shirl::qt {

QString NameFilter(const std::string& description, const std::string& patterns) {
    QStringList globs;
    for (const QString& glob : QString::fromStdString(patterns).split(u';', Qt::SkipEmptyParts))
        globs << (glob == QStringLiteral("*.*") ? QStringLiteral("*") : glob);
    return QString::fromStdString(description) + QStringLiteral(" (") + globs.join(u' ') + u')';
}

QString FindUserGuide() {
    const QString programDir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {
        programDir + QStringLiteral("/guide.html"),
        programDir + QStringLiteral("/../share/doc/shirl/guide.html"),
        QStringLiteral(SHIRL_INSTALLED_GUIDE),
    };
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isFile()) return QFileInfo(candidate).canonicalFilePath();
    return {};
}

ShirlWindow::ShirlWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QString::fromStdString(DialogCaption()));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/shirl-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/icons/shirl-16.png"), QSize(16, 16));
    setWindowIcon(icon);
    CreateControls();
    PlaceControls();
    m_dlg.SetLists(ListsInFolders(QCoreApplication::applicationDirPath().toStdString()));
    m_dlg.OnInitDialog();
    m_inputBrowse->setFocus();
}

ShirlWindow::~ShirlWindow() {
    // A QProcess ends its program when destroyed: an xdg-open still running
    // holds the browser it started, which outlives the window.
    for (QProcess* opener : findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        opener->disconnect(this);
        if (opener->state() != QProcess::NotRunning) opener->setParent(nullptr); // left to the system
    }
}

void ShirlWindow::OpenInput(const QString& path) {
    m_dlg.OnInputGiven(CoreFileName(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
}

void ShirlWindow::CreateControls() {
    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);  // Enter always means Convert
        return b;
    };
    // Template order = tab order.
    m_inputBrowse = button("IDC_INPUT_BROWSE", QStringLiteral("Input"));
    m_outputBrowse = button("IDC_OUTPUT_BROWSE", QStringLiteral("Output"));

    m_selectionBox = new QComboBox(this);
    m_selectionBox->setObjectName(QStringLiteral("IDC_SELECTION"));
    m_selectionBox->setEditable(false);
    m_selectionBox->setInsertPolicy(QComboBox::InsertAtBottom);

    m_addMobileCheck = new QCheckBox(QStringLiteral("Add /M to mobiles"), this);
    m_addMobileCheck->setObjectName(QStringLiteral("IDC_ADD_MOBILE"));
    m_addMobileCheck->setLayoutDirection(Qt::RightToLeft);  // text left of the box

    m_convert = button("IDOK", QStringLiteral("Convert"));
    m_convert->setDefault(true);
    m_about = button("IDC_ABOUT", QStringLiteral("About"));
    m_help = button("IDC_HELP_BUTTON", QStringLiteral("Help"));
    m_exit = button("IDCANCEL", QStringLiteral("Exit"));
    m_map = button("IDC_MAP_BUTTON", QStringLiteral("Map"));

    m_inputNameBox = new QLineEdit(this);
    m_inputNameBox->setObjectName(QStringLiteral("IDC_INPUT_NAME"));
    m_outputNameBox = new QLineEdit(this);
    m_outputNameBox->setObjectName(QStringLiteral("IDC_OUTPUT_NAME"));
    // A file dropped onto a name box goes to the window, like anywhere else.
    m_inputNameBox->setAcceptDrops(false);
    m_outputNameBox->setAcceptDrops(false);
    setAcceptDrops(true);

    m_reportModel = new QStringListModel(this);
    m_reportList = new QListView(this);
    m_reportList->setObjectName(QStringLiteral("IDC_REPORT"));
    m_reportList->setModel(m_reportModel);
    m_reportList->setUniformItemSizes(true);  // a report of 100,000 rows stays quick
    m_reportRows = new WidestRowDelegate(m_reportList);
    m_reportList->setItemDelegate(m_reportRows);
    m_reportList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_reportList->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_reportList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_reportList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_reportList->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
    m_reportList->setTextElideMode(Qt::ElideNone);

    CreateReportMenu();

    m_stateLabel = new QLabel(QStringLiteral("State"), this);
    m_stateLabel->setObjectName(QStringLiteral("IDC_STATE_LABEL"));
    m_stateLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    QWidget* chain[] = {m_inputBrowse, m_outputBrowse, m_selectionBox, m_addMobileCheck, m_convert,    m_about,
                        m_help,        m_exit,         m_map,          m_inputNameBox,   m_outputNameBox};
    for (std::size_t i = 1; i < std::size(chain); ++i) setTabOrder(chain[i - 1], chain[i]);

    connect(m_inputBrowse, &QPushButton::clicked, this, [this] { m_dlg.OnInputBrowse(); });
    connect(m_outputBrowse, &QPushButton::clicked, this, [this] { m_dlg.OnOutputBrowse(); });
    connect(m_convert, &QPushButton::clicked, this, [this] { m_dlg.OnConvert(); });
    connect(m_inputNameBox, &QLineEdit::textEdited, this, [this] { m_dlg.OnNameEdited(); });
    connect(m_outputNameBox, &QLineEdit::textEdited, this, [this] { m_dlg.OnNameEdited(); });
    connect(m_selectionBox, &QComboBox::currentIndexChanged, this, [this] { m_dlg.OnSelectionChanged(); });
    connect(m_addMobileCheck, &QCheckBox::clicked, this, [this] { m_dlg.OnAddMobileClicked(); });
    connect(m_about, &QPushButton::clicked, this, [this] { m_dlg.OnAboutButton(); });
    connect(m_help, &QPushButton::clicked, this, [this] { m_dlg.OnHelpButton(); });
    connect(m_exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_map, &QPushButton::clicked, this, [this] { m_dlg.OnMapButton(); });
}

void ShirlWindow::PlaceControls() {
    // What the user grew the window by stays when the font changes.
    const QSize oldTemplate = m_units.ToPixels(kDialogWidthDu, kDialogHeightDu);
    const QSize grown = oldTemplate.isEmpty() ? QSize(0, 0) : (size() - oldTemplate).expandedTo(QSize(0, 0));
    m_units = DialogBaseUnits::FromFont(font());
    QWidget* controls[] = {m_inputBrowse, m_outputBrowse, m_selectionBox,  m_addMobileCheck,
                           m_convert,     m_about,        m_help,          m_exit,
                           m_map,         m_inputNameBox, m_outputNameBox, m_reportList,  m_stateLabel};
    for (std::size_t i = 0; i < std::size(controls); ++i) {
        const TemplateControl& place = kTemplateControls[i];
        QRect rect = m_units.ToPixels(place.x, place.y, place.w, place.h);
        if (controls[i] == m_selectionBox) {
            // A drop-down list is as tall as its closed box; the template's
            // height is that of the open list, which gets the rest.
            const int closed = m_selectionBox->sizeHint().height();
            rect.setHeight(closed);
            const int rowHeight = std::max(1, m_selectionBox->fontMetrics().height());
            m_selectionBox->setMaxVisibleItems(std::max(1, (m_units.ToPixelsY(place.h) - closed) / rowHeight));
        }
        controls[i]->setGeometry(rect);
    }
    // Not smaller than the template; larger as the user likes.
    const QSize templateSize = m_units.ToPixels(kDialogWidthDu, kDialogHeightDu);
    setMinimumSize(templateSize);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setSizeGripEnabled(true);
    resize(templateSize + grown);
    PlaceReportList();
}

void ShirlWindow::PlaceReportList() {
    const TemplateControl& place = *std::find_if(std::begin(kTemplateControls), std::end(kTemplateControls),
                                                 [](const TemplateControl& c) { return c.name == std::string_view("IDC_REPORT"); });
    QRect rect = m_units.ToPixels(place.x, place.y, place.w, place.h);
    const QSize extra = size() - minimumSize();
    rect.setWidth(rect.width() + std::max(0, extra.width()));
    rect.setHeight(rect.height() + std::max(0, extra.height()));
    m_reportList->setGeometry(rect);
}

void ShirlWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (m_reportList != nullptr) PlaceReportList();
}

void ShirlWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_reportList != nullptr) PlaceControls();
}

int ShirlWindow::reportRowCount() const { return m_reportModel->rowCount(); }
QStringList ShirlWindow::reportRows() const { return m_reportModel->stringList(); }

void ShirlWindow::FillSelectionList(const std::vector<std::string>& rows) {
    const QSignalBlocker quiet(m_selectionBox);
    for (const std::string& row : rows) m_selectionBox->addItem(QString::fromStdString(row));
    m_selectionBox->setCurrentIndex(-1);
}

void ShirlWindow::SetAddMobileCheck(bool checked) { m_addMobileCheck->setChecked(checked); }
bool ShirlWindow::GetAddMobileCheck() { return m_addMobileCheck->isChecked(); }
int ShirlWindow::GetSelectionRow() { return m_selectionBox->currentIndex(); }
void ShirlWindow::SetSelectionRow(int row) { m_selectionBox->setCurrentIndex(row); }
std::string ShirlWindow::GetInputNameText() { return CoreFileName(m_inputNameBox->text()); }
std::string ShirlWindow::GetOutputNameText() { return CoreFileName(m_outputNameBox->text()); }

void ShirlWindow::SetNameTexts(const std::string& input, const std::string& output) {
    // A box that already holds its text is left alone, so that the caret
    // stays where the user is typing.
    const QString inputText = ShownFileName(input);
    const QString outputText = ShownFileName(output);
    if (m_inputNameBox->text() != inputText) m_inputNameBox->setText(inputText);
    if (m_outputNameBox->text() != outputText) m_outputNameBox->setText(outputText);
}

void ShirlWindow::ShowMessageBox(const std::string& text, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                    QCoreApplication::applicationName(), QString::fromStdString(text), QMessageBox::Ok, this);
    box.exec();
}

std::optional<std::string> ShirlWindow::RunFileDialog(const FileDialogRequest& request) {
    QFileDialog dialog(this, QString::fromStdString(request.title));
    const bool open = request.kind == FileDialogKind::Open;
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open && request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    QStringList filters;
    for (const auto& [description, patterns] : request.filters) filters << NameFilter(description, patterns);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) dialog.selectNameFilter(filters.front());
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
    if (!request.initialName.empty()) dialog.selectFile(ShownFileName(request.initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return CoreFileName(QDir::toNativeSeparators(dialog.selectedFiles().front()));
}

void ShirlWindow::ReplaceReportRows(const std::vector<std::string>& rows) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(rows.size()));
    for (const std::string& row : rows) list << QString::fromStdString(row);
    m_reportRows->MeasureRows(list, m_reportList->font());
    m_reportModel->setStringList(list);
}

bool ShirlWindow::OpenUserGuide() {
    const QString guide = FindUserGuide();
    if (guide.isEmpty()) return false;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // xdg-open's exit status tells whether a browser took the guide, which
    // QDesktopServices does not wait to learn. It may run as long as the
    // browser does, so the window does not wait for it either.
    auto* opener = new QProcess(this);
    opener->setProcessChannelMode(QProcess::ForwardedChannels);  // nothing fills a pipe no one reads
    opener->setStandardInputFile(QProcess::nullDevice());
    connect(opener, &QProcess::finished, this, [this, opener](int code, QProcess::ExitStatus status) {
        opener->deleteLater();
        if (status != QProcess::NormalExit || code != 0) m_dlg.OnUserGuideFailed();
    });
    connect(opener, &QProcess::errorOccurred, this, [this, opener](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        opener->deleteLater();
        m_dlg.OnUserGuideFailed();
    });
    opener->start(QStringLiteral("xdg-open"), {guide});
    return true;
#else
    return QDesktopServices::openUrl(QUrl::fromLocalFile(guide));
#endif
}

std::string ShirlWindow::UserGuideFile() { return CoreFileName(QDir::toNativeSeparators(FindUserGuide())); }

void ShirlWindow::EnableMapButton(bool enabled) { m_map->setEnabled(enabled); }

bool ShirlWindow::ShowCountyMap(const std::string& svg) {
    if (m_mapWindow == nullptr) m_mapWindow = new MapWindow(this, [this] { m_dlg.OnSaveMap(); });
    return m_mapWindow->ShowMap(QByteArray::fromStdString(svg));
}

bool ShirlWindow::OpenWithDefaultProgram(const std::string& fileName) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ShownFileName(fileName)));
}

std::optional<std::pair<int, int>> ShirlWindow::ReadProgramVersion() {
    return std::make_pair(SHIRL_VERSION_MAJOR, SHIRL_VERSION_MINOR);
}

} // namespace shirl::qt
