#include <QApplication>
#include <QFont>
#include <QMessageBox>

#include "app/ProgramDir.hpp"
#include "app/QtServices.hpp"
#include "app/Tmain.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("tilvaren");
    QApplication::setApplicationDisplayName(tilvaren::kAppTitle);
    // The window's font, with the Japanese Gothic that Linux has standing in.
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), {"IPAPGothic", "IPA Pゴシック", "IPAGothic"});
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    QApplication::setFont(font);

    tilvaren::MessageBoxDialogs dialogs;
    tilvaren::SystemClock clock;
    tilvaren::EffectClickSound sound;
    tilvaren::Services services;
    services.programDir = tilvaren::FindProgramDir();
    services.dialogs = &dialogs;
    services.clock = &clock;
    services.sound = &sound;

    tilvaren::Tmain window(services);
    dialogs.SetParent(&window);
    window.show();
    return QApplication::exec();
}
