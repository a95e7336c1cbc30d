#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTextBrowser>
#include <functional>
#include <string>

#include "records/HelpFile.hpp"

namespace tilvaren {

// The three ways into the help file.
class Help {
public:
    virtual ~Help() = default;
    virtual void Contents() = 0;
    virtual void KeywordSearch() = 0;
    virtual void Context(int context) = 0;
};

// The help window: contents and keyword index on the left, the topic on the
// right. It reads the help file each time it is opened, so a file put in
// place later is found; without a file, nothing opens.
class HelpWindow : public QDialog, public Help {
    Q_OBJECT
public:
    // `findFile` gives the help file's path, or "" when there is none.
    explicit HelpWindow(std::function<std::string()> findFile, QWidget* parent = nullptr);

    void Contents() override;
    void KeywordSearch() override;
    void Context(int context) override;

    // The topic shown, for tests ("" when none).
    QString CurrentTopic() const { return current_; }
    QTabWidget* Tabs() const { return tabs_; }
    QListWidget* ContentsList() const { return contents_; }
    QLineEdit* KeywordField() const { return keyword_; }
    QListWidget* KeywordList() const { return keywords_; }
    QTextBrowser* Browser() const { return browser_; }

private:
    bool Load();
    void ShowTopic(const QString& id);
    void FilterKeywords(const QString& text);
    void OpenWindow();

    std::function<std::string()> findFile_;
    HelpFile file_;
    QString head_;
    QTabWidget* tabs_ = nullptr;
    QListWidget* contents_ = nullptr;
    QLineEdit* keyword_ = nullptr;
    QListWidget* keywords_ = nullptr;
    QTextBrowser* browser_ = nullptr;
    QString current_;
};

}  // namespace tilvaren
