#include "app/ProgramDir.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "records/ProgramFiles.hpp"

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

ProgramFolder ChooseProgramFolder() {
    ProgramFolder folder;
    const QString own = QCoreApplication::applicationDirPath();
    const std::string ownDir = QFile::encodeName(own).toStdString() + "/";
    // An installed copy keeps the player's files in the user's folder, even
    // where it could write beside itself (as root, say).
    const bool portable = InstalledDataDir().isEmpty() && !own.isEmpty();
    if (portable && ::access(QFile::encodeName(own).constData(), W_OK) == 0) {
        folder.dir = ownDir;
        return folder;
    }
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    folder.dir = QFile::encodeName(data).toStdString() + "/";
    // A portable copy whose folder has become read-only still has the
    // player's files there; they are carried over, not left behind unseen.
    if (portable && HoldsPlayerFiles(ownDir)) folder.unwritableOwnDir = ownDir;
    return folder;
}

QString CarryOverAndTell(const ProgramFolder& folder) {
    if (folder.unwritableOwnDir.empty()) return {};
    const CarryOverResult result = CarryOverPlayerFiles(folder.unwritableOwnDir, folder.dir);
    if (result.carried.empty() && result.failed.empty()) return {};
    const auto path = [](const std::string& dir) { return QFile::decodeName(dir.c_str()); };
    QString text = QString::fromUtf8("プログラムのフォルダー「%1」には書き込めないため、これからはゲーム、解答の記録と"
                                     "設定を「%2」に保存します。")
                       .arg(path(folder.unwritableOwnDir), path(folder.dir));
    if (!result.carried.empty()) {
        QStringList names;
        for (const std::string& name : result.carried) names << QString::fromStdString(name);
        text += QString::fromUtf8("\nこれまでのファイル（%1）はそちらに写しました。元のファイルはそのまま残っています。")
                    .arg(names.join(QString::fromUtf8("、")));
    }
    for (const std::string& failure : result.failed) {
        text += QString::fromUtf8("\n写せなかったファイル: ") + QString::fromStdString(failure);
    }
    return text;
}

std::string FindDataFile(const std::string& programDir, const std::string& name) {
    // Whatever stands under the name wins, even a file that cannot be used:
    // its user is then told about it rather than given another file silently.
    const auto exists = [](const std::string& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0;
    };
    if (exists(programDir + name)) return programDir + name;
    const QString installed = InstalledDataDir();
    if (!installed.isEmpty()) {
        const std::string path = QFile::encodeName(installed).toStdString() + "/" + name;
        if (exists(path)) return path;
    }
#ifdef TILVAREN_DATA_DIR
    const std::string configured = std::string(TILVAREN_DATA_DIR) + "/" + name;
    if (exists(configured)) return configured;
#endif
    const std::string builtIn = kBuiltInDataDir + name;
    if (QFile::exists(QString::fromStdString(builtIn))) return builtIn;
    return {};
}

}  // namespace tilvaren
