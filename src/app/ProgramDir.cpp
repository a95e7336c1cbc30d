#include "app/ProgramDir.hpp"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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

std::string FindDataFile(const std::string& programDir, const std::string& name) {
    if (QFileInfo(QString::fromStdString(programDir + name)).isFile()) return programDir + name;
#ifdef TILVAREN_DATA_DIR
    const std::string installed = std::string(TILVAREN_DATA_DIR) + "/" + name;
    if (QFileInfo(QString::fromStdString(installed)).isFile()) return installed;
#endif
    return {};
}

}  // namespace tilvaren
