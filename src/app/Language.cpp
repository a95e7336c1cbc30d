#include "app/Language.hpp"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/ProgramDir.hpp"
#include "records/FileNames.hpp"

namespace tilvaren {

namespace {

Language inUse = Language::Japanese;

// Made with the first switch, after the application; removed before each.
QTranslator& GameTranslator() {
    static QTranslator translator;
    return translator;
}

QTranslator& QtTranslator() {
    static QTranslator translator;
    return translator;
}

bool installedOnce = false;

}  // namespace

bool UseLanguage(Language language) {
    if (installedOnce && language == inUse) return true;
    installedOnce = true;
    QTranslator& game = GameTranslator();
    QTranslator& qt = QtTranslator();
    QCoreApplication::removeTranslator(&game);
    QCoreApplication::removeTranslator(&qt);
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool loaded = true;
    if (language == Language::English) {
        loaded = game.load(QString::fromUtf8(kEnglishTranslation));
        if (loaded) QCoreApplication::installTranslator(&game);
        if (qt.load(QLocale(QLocale::English), QStringLiteral("qtbase"), QStringLiteral("_"), qtFolder)) {
            QCoreApplication::installTranslator(&qt);
        }
    } else if (qt.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                       qtFolder)) {
        // Qt's own buttons (はい, いいえ, キャンセル), when its translation is installed.
        QCoreApplication::installTranslator(&qt);
    }
    inUse = loaded ? language : Language::Japanese;
    // Each widget rewords itself now, not at some later turn of the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    return loaded;
}

Language LanguageInUse() { return inUse; }

std::string HelpFileFor(const std::string& programDir, Language language) {
    // A help file of the player's own beside the game is shown in either language.
    const std::string found = FindDataFile(programDir, kHelpFile);
    if (language == Language::Japanese || found == programDir + kHelpFile) return found;
    return FindDataFile(programDir, std::string("en/") + kHelpFile);
}

}  // namespace tilvaren
