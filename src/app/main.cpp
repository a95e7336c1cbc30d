#include <QApplication>

#include "app/HelpWindow.hpp"
#include "app/Icon.hpp"
#include "app/ProgramDir.hpp"
#include "app/QtServices.hpp"
#include "app/SingleInstance.hpp"
#include "app/Tmain.hpp"
#include "ui/WindowFont.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("tilvaren");
    QApplication::setApplicationDisplayName(tilvaren::kAppTitle);
    QApplication::setWindowIcon(tilvaren::AppIcon());
    // Ties the window to the desktop entry, so the desktop shows its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tilvaren.Tilvaren"));

    // A second start brings the running copy forward and ends without a window.
    tilvaren::SingleInstance instance(tilvaren::RuntimeFolder());
    if (!instance.Claim()) return 0;

    // The dialogs and menus share the main window's font.
    QApplication::setFont(tilvaren::WindowFont());

    tilvaren::MessageBoxDialogs dialogs;
    tilvaren::SystemClock clock;
    tilvaren::EffectClickSound sound;
    tilvaren::DesktopOpener opener;
    tilvaren::Services services;
    services.programDir = tilvaren::FindProgramDir();
    services.dialogs = &dialogs;
    services.clock = &clock;
    services.sound = &sound;
    services.opener = &opener;

    tilvaren::Tmain window(services);
    dialogs.SetParent(&window);
    QObject::connect(&instance, &tilvaren::SingleInstance::activationRequested, &window, [&window] {
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window.show();
        window.raise();
        window.activateWindow();
    });
    window.show();
    return QApplication::exec();
}
