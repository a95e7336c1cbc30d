#pragma once

#include <QDialog>
#include <QPushButton>
#include <QUrl>

namespace tilvaren {

// Opens a link in the desktop's own program for it (mail, browser) without
// waiting for it.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void Open(const QUrl& url) = 0;
};

// What the about box shows and links to; set when the program is built.
struct AboutInfo {
    QString mailAddress;
    QString webPage;
    QString notice1;
    QString notice2;
};

// The about box: name, version, a mail link and a web link. Only "OK" closes it.
class Tversion : public QDialog {
    Q_OBJECT
public:
    Tversion(const AboutInfo& info, UrlOpener& opener, QWidget* parent = nullptr);

    void Button1Click();
    void Button2Click();

    QPushButton* btnCLOSE = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

public slots:
    // Escape and the window manager's close do not close the box.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    AboutInfo info_;
    UrlOpener* opener_;
};

}  // namespace tilvaren
