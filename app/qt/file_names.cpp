#include "app/qt/file_names.h"

#include <QByteArray>
#include <QFile>

namespace shirl::qt {

std::string CoreFileName(const QString& name) {
#ifdef Q_OS_WIN
    return name.toStdString();  // encodeName would give the ANSI code page there
#else
    const QByteArray bytes = QFile::encodeName(name);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
#endif
}

QString ShownFileName(const std::string& name) {
#ifdef Q_OS_WIN
    return QString::fromStdString(name);
#else
    return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
#endif
}

} // namespace shirl::qt
