#pragma once
// File names between Qt's text and the core's bytes. On POSIX systems a name
// is bytes (UTF-8 today, Latin-1 on an old disk): QFile::encodeName and
// decodeName carry it, so that the file chosen in a dialog is the file
// opened. On Windows the core takes UTF-8 and the file layer widens it.
#include <QString>

#include <string>

namespace shirl::qt {

// The core's form of a name shown or chosen in the window.
std::string CoreFileName(const QString& name);

// The window's form of a name of the core.
QString ShownFileName(const std::string& name);

} // namespace shirl::qt
