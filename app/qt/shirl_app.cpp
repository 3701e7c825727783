#include "app/qt/shirl_app.h"

#include "app/qt/shirl_window.h"
#include "app/service/version.h"

namespace shirl::qt {

CShirlApp::CShirlApp(int& argc, char** argv) : m_app(argc, argv) {
    // Every message box carries the application name as its caption.
    QApplication::setApplicationName(QStringLiteral("Shirl"));
    QApplication::setApplicationVersion(QStringLiteral(SHIRL_VERSION_STRING));
    QApplication::setDesktopFileName(QStringLiteral("shirl"));
}

bool CShirlApp::InitInstance() {
    ShirlWindow dialog;
    // "shirl FILE" (a file manager's "Open with"): FILE is the input.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) dialog.OpenInput(arguments.at(1));
    dialog.exec();  // IDOK or IDCANCEL, the result does not matter
    return false;
}

} // namespace shirl::qt
