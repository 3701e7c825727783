// The report list's context menu, Ctrl+C, the clipboard and the saved report.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QStringListModel>

#include <algorithm>

#include "app/qt/shirl_window.h"

namespace shirl::qt {

void ShirlWindow::CreateReportMenu() {
    m_reportMenu = new QMenu(this);
    m_reportMenu->setObjectName(QStringLiteral("IDM_REPORT"));
    m_copyAction = m_reportMenu->addAction(QStringLiteral("Copy"));
    m_copyAction->setObjectName(QStringLiteral("IDM_REPORT_COPY"));
    m_copyAction->setShortcut(QKeySequence::Copy);  // shown in the menu; the list handles the key
    m_copyAllAction = m_reportMenu->addAction(QStringLiteral("Copy all"));
    m_copyAllAction->setObjectName(QStringLiteral("IDM_REPORT_COPY_ALL"));
    m_reportMenu->addSeparator();
    m_saveAction = m_reportMenu->addAction(QStringLiteral("Save report as\u2026"));
    m_saveAction->setObjectName(QStringLiteral("IDM_REPORT_SAVE"));

    connect(m_copyAction, &QAction::triggered, this, [this] { CopySelectedReportRows(); });
    connect(m_copyAllAction, &QAction::triggered, this, [this] { m_dlg.OnCopyReport(); });
    connect(m_saveAction, &QAction::triggered, this, [this] { m_dlg.OnSaveReport(); });

    m_reportList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_reportList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { reportMenu()->popup(m_reportList->viewport()->mapToGlobal(at)); });
    m_reportList->installEventFilter(this);
}

QMenu* ShirlWindow::reportMenu() {
    const bool hasRows = m_reportModel->rowCount() > 0;
    m_copyAction->setEnabled(m_reportList->selectionModel()->hasSelection());
    m_copyAllAction->setEnabled(hasRows);
    m_saveAction->setEnabled(hasRows);
    return m_reportMenu;
}

void ShirlWindow::CopySelectedReportRows() {
    std::vector<int> rows;
    for (const QModelIndex& index : m_reportList->selectionModel()->selectedIndexes()) rows.push_back(index.row());
    m_dlg.OnCopyReportRows(rows);
}

bool ShirlWindow::eventFilter(QObject* watched, QEvent* event) {
    // The list's own Ctrl+C copies only its current row; the report copies
    // every selected row.
    if (watched == m_reportList && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        CopySelectedReportRows();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool ShirlWindow::PutTextOnClipboard(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return false;
    clipboard->setText(QString::fromStdString(text));
    return true;
}

} // namespace shirl::qt
