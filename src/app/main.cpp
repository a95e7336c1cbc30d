#include <QApplication>
#include <csignal>
#include <cstdio>

#include "app/Activation.hpp"
#include "app/HelpWindow.hpp"
#include "app/Icon.hpp"
#include "app/Language.hpp"
#include "app/ProgramDir.hpp"
#include "app/QtServices.hpp"
#include "app/SingleInstance.hpp"
#include "app/Tmain.hpp"
#include "app/WindowFrame.hpp"
#include "ui/WindowFont.hpp"

int main(int argc, char* argv[]) {
    // Past a file-size limit (ulimit -f) a save then fails with EFBIG and is
    // told like any other failed save, the old file kept, instead of the
    // signal ending the game with the player's work.
    std::signal(SIGXFSZ, SIG_IGN);
    const QByteArray launchToken = tilvaren::LaunchActivationToken();
    QApplication app(argc, argv);
    QApplication::setApplicationName("tilvaren");
    // No application display name: the desktop would add it to every window's
    // title, and each window's title is exactly its own caption.
    QApplication::setWindowIcon(tilvaren::AppIcon());
    // Ties the window to the desktop entry, so the desktop shows its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tilvaren.Tilvaren"));

    // The game speaks Japanese whatever the desktop's language, until its
    // settings say English; so do Qt's own buttons.
    tilvaren::UseLanguage(tilvaren::Language::Japanese);
    // The dialogs and menus share the main window's font.
    QApplication::setFont(tilvaren::WindowFont());

    tilvaren::MessageBoxDialogs dialogs;
    const tilvaren::ProgramFolder folder = tilvaren::ChooseProgramFolder();
    if (const QString failure = tilvaren::ProgramFolderFailureText(folder); !failure.isEmpty()) {
        std::fprintf(stderr, "tilvaren: %s\n", failure.toLocal8Bit().constData());
        dialogs.Message(failure);
        return 1;
    }

    // What is told before the window is up is told in the settings' language.
    tilvaren::UseLanguage(tilvaren::LoadSettings(folder.dir).settings.language);

    // One copy per program folder: a second start brings the running copy
    // forward and ends without a window; one that cannot says why.
    tilvaren::SingleInstance instance(folder.dir);
    // The running copy may come forward on the desktop's word that the player
    // asked for this start.
    instance.SetActivationToken(launchToken);
    const tilvaren::ClaimResult claim = instance.Claim();
    QStringList notices;
    switch (claim.outcome) {
        case tilvaren::ClaimResult::Outcome::Running:
            if (!claim.message.isEmpty()) notices << claim.message;
            break;
        case tilvaren::ClaimResult::Outcome::Forwarded:
            return 0;
        case tilvaren::ClaimResult::Outcome::Unreachable:
        case tilvaren::ClaimResult::Outcome::Refused:
            std::fprintf(stderr, "tilvaren: %s\n", claim.message.toLocal8Bit().constData());
            dialogs.Message(claim.message);
            return 1;
    }

    if (const QString carried = tilvaren::CarryOverAndTell(folder); !carried.isEmpty()) notices << carried;

    tilvaren::SystemClock clock;
    tilvaren::EffectClickSound sound;
    tilvaren::DesktopOpener opener;
    tilvaren::Services services;
    services.programDir = folder.dir;
    services.fallbackDir = tilvaren::UserDataFolder(tilvaren::ProcessEnvironment());
    services.notices = notices;
    services.dialogs = &dialogs;
    services.clock = &clock;
    services.sound = &sound;
    services.opener = &opener;

    tilvaren::Tmain window(services);
    dialogs.SetParent(&window);
    QObject::connect(&instance, &tilvaren::SingleInstance::activationRequested, &window,
                     [&window](const QByteArray& token) {
                         tilvaren::BringForward(window, token, tilvaren::RunningWindowSystem());
                     });
    window.show();
    // Qt 6.4 on Wayland spends a launcher's token only on a later activation,
    // not when the first window shows: that window takes it now, so that the
    // compositor may give it the focus and ends the launcher's feedback.
    if (!launchToken.isEmpty() && !tilvaren::RunningWindowSystem().IsX11()) {
        tilvaren::BringForward(window, launchToken, tilvaren::RunningWindowSystem());
    }
    return QApplication::exec();
}
