#include "app/ProgramDir.hpp"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QCoreApplication>
#include <QStringList>

#include "ui/Wording.hpp"

namespace tilvaren {

namespace {

// The translators' context of the texts here.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(ProgramDir)
};

}  // namespace

ProgramFolder ChooseProgramFolder() {
    const ProgramFolder folder = ChooseProgramFolder(ExecutableDir(), ProcessEnvironment());
    if (!folder.dir.empty()) QDir().mkpath(QFile::decodeName(folder.dir.c_str()));
    return folder;
}

QString ProgramFolderFailureText(const ProgramFolder& folder) {
    switch (folder.failure) {
        case FolderFailure::None:
            return {};
        case FolderFailure::NoHome:
            return Tr::tr("ゲーム、解答の記録と設定を保存するフォルダーが決まりません。環境変数 HOME が"
                          "設定されていないか、絶対パスではありません。");
    }
    return {};
}

QString CarryOverAndTell(const ProgramFolder& folder) {
    if (folder.unwritableOwnDir.empty()) return {};
    const CarryOverResult result = CarryOverPlayerFiles(folder.unwritableOwnDir, folder.dir);
    if (result.carried.empty() && result.failed.empty()) return {};
    const auto path = [](const std::string& dir) { return QFile::decodeName(dir.c_str()); };
    QString text = Tr::tr("プログラムのフォルダー「%1」には書き込めないため、これからはゲーム、解答の記録と"
                          "設定を「%2」に保存します。")
                       .arg(path(folder.unwritableOwnDir), path(folder.dir));
    if (!result.carried.empty()) {
        QStringList names;
        for (const std::string& name : result.carried) names << QString::fromStdString(name);
        text += "\n" + Tr::tr("これまでのファイル（%1）はそちらに写しました。元のファイルはそのまま残っています。")
                           .arg(names.join(Tr::tr("、")));
    }
    for (const auto& [name, failure] : result.failed) {
        text += "\n" + Tr::tr("写せなかったファイル: %1: %2").arg(QString::fromStdString(name), Words(failure));
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
    if (const std::string installed = InstalledDataDir(ExecutableDir()); !installed.empty()) {
        if (exists(installed + name)) return installed + name;
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
