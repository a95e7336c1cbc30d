#pragma once

#include <QDialog>
#include <QPushButton>
#include <QUrl>

namespace tilvaren {

class Help;
struct WindowSystem;

// Opens a link in the desktop's own program for it (mail, browser) without
// waiting for it.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void Open(const QUrl& url) = 0;
};

// What the about box shows and links to. An empty address or page means no
// link out of the program: the button opens a help topic instead.
struct AboutInfo {
    QString mailAddress;
    QString webPage;
    QString notice1;
    QString notice2;
};

// The about box's links and notices as set when the program was built.
AboutInfo AboutInfoForBuild();

// The help file's context number of the licence topic.
inline constexpr int kLicenceHelpContext = 35900;

// The about box: name, version, two links and the licence notice. Only "OK"
// closes it. Button1 mails the build's address, or shows the licence topic
// of the help; Button2 opens the build's web page, or the help's contents.
// It blocks only its own parent window, so the help can be read beside it.
class Tversion : public QDialog {
    Q_OBJECT
public:
    // `system` none: the running application's.
    Tversion(const AboutInfo& info, UrlOpener& opener, Help& help, QWidget* parent = nullptr,
             const WindowSystem* system = nullptr);

    void Button1Click();
    void Button2Click();

    QPushButton* btnCLOSE = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

public slots:
    // Escape and the window manager's close do not close the box.
    void reject() override;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Retranslate();
    AboutInfo info_;
    UrlOpener* opener_;
    Help* help_;
    const WindowSystem* system_;
};

}  // namespace tilvaren
