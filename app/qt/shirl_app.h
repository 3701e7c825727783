#pragma once
// The application object: shows the main dialog modally and ends the
// program when the dialog closes. Nothing is loaded or saved.
#include <QApplication>

namespace shirl::qt {

class CShirlApp {
public:
    CShirlApp(int& argc, char** argv);

    // Runs the dialog until Exit or Escape closes it, with the file named by
    // the first argument, if any, as its input; returns false, so the
    // program ends instead of entering a message loop of its own.
    bool InitInstance();

private:
    QApplication m_app;
};

} // namespace shirl::qt
