#include "app/ProgramDir.hpp"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace tilvaren {

std::string FindProgramDir() {
    const QString own = QCoreApplication::applicationDirPath();
    if (!own.isEmpty() && ::access(QFile::encodeName(own).constData(), W_OK) == 0) {
        return QFile::encodeName(own).toStdString() + "/";
    }
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return QFile::encodeName(data).toStdString() + "/";
}

}  // namespace tilvaren
