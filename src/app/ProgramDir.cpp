#include "app/ProgramDir.hpp"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tilvaren {

namespace {

// The installed data folder seen from the program's own folder (bin/../share/
// tilvaren), so that a copy installed under any prefix finds its files; it
// exists only for an installed copy.
QString InstalledDataDir() {
#ifdef TILVAREN_RELATIVE_DATA_DIR
    const QString dir = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/" + TILVAREN_RELATIVE_DATA_DIR);
    if (QFileInfo(dir).isDir()) return dir;
#endif
    return {};
}

}  // namespace

std::string FindProgramDir() {
    const QString own = QCoreApplication::applicationDirPath();
    // An installed copy keeps the player's files in the user's folder, even
    // where it could write beside itself (as root, say).
    if (InstalledDataDir().isEmpty() && !own.isEmpty() && ::access(QFile::encodeName(own).constData(), W_OK) == 0) {
        return QFile::encodeName(own).toStdString() + "/";
    }
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return QFile::encodeName(data).toStdString() + "/";
}

std::string FindDataFile(const std::string& programDir, const std::string& name) {
    if (QFileInfo(QString::fromStdString(programDir + name)).isFile()) return programDir + name;
    const QString installed = InstalledDataDir();
    if (!installed.isEmpty()) {
        const QString path = installed + "/" + QString::fromStdString(name);
        if (QFileInfo(path).isFile()) return QFile::encodeName(path).toStdString();
    }
#ifdef TILVAREN_DATA_DIR
    const std::string configured = std::string(TILVAREN_DATA_DIR) + "/" + name;
    if (QFileInfo(QString::fromStdString(configured)).isFile()) return configured;
#endif
    return {};
}

}  // namespace tilvaren
