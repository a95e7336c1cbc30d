#pragma once

#include <QAbstractListModel>
#include <QDialog>
#include <QLineEdit>
#include <QListView>
#include <QTabWidget>
#include <QTextBrowser>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Services.hpp"
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

// Labels that lead to topics, as a list view shows them; a filter keeps the
// order. It holds no item objects, so a file of any number of topics or
// keywords is listed, and filtered, in time linear in their number.
class HelpTopicList : public QAbstractListModel {
public:
    // The role under which a row gives the position of its topic in the file.
    static constexpr int kTopicRole = Qt::UserRole;

    using QAbstractListModel::QAbstractListModel;

    // One row: what it shows and the position of the topic it leads to, or
    // -1 for a row that leads nowhere.
    struct Entry {
        QString label;
        int topic = 0;
    };
    // Replaces the rows, all shown.
    void Reset(std::vector<Entry> entries);
    // Shows only the rows whose label holds `text`, ignoring case; "" shows all.
    void Filter(const QString& text);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<Entry> entries_;
    std::vector<int> shown_;  // positions in entries_
};

// The help window: contents and keyword index on the left, the topic on the
// right. The file is looked for on every command and parsed again only when
// it changed. It shows the file's own text and nothing else: no image, style
// sheet or link target is loaded from the disk or the network. A topic goes
// to the viewer as MakeHelpPage rebuilds it, so that no file of any content
// keeps the window from answering. A file that cannot be shown is told
// through `dialogs` and the window stays as it was.
// It is a window of its own, with no parent, so that a modal box of the main
// window does not block it; it does not keep the program running.
class HelpWindow : public QDialog, public Help {
    Q_OBJECT
public:
    // `findFile` gives the help file's path (a ":/" path is a built-in copy),
    // or "" when there is none.
    HelpWindow(std::function<std::string()> findFile, Dialogs& dialogs);

    void Contents() override;
    void KeywordSearch() override;
    void Context(int context) override;

    // The topic shown, for tests ("" when none).
    QString CurrentTopic() const { return current_; }
    QTabWidget* Tabs() const { return tabs_; }
    QListView* ContentsList() const { return contents_; }
    QLineEdit* KeywordField() const { return keyword_; }
    QListView* KeywordList() const { return keywords_; }
    QTextBrowser* Browser() const { return browser_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void Retranslate();
    // What tells one version of the file from another.
    struct FileKey {
        std::string path;
        unsigned long long device = 0, inode = 0, size = 0;
        long long mtimeSeconds = 0, mtimeNanoseconds = 0;
        bool operator==(const FileKey&) const = default;
    };

    bool Load();
    // The file's key when it can be shown, or none after telling the player why.
    std::optional<FileKey> Examine(const std::string& path);
    // The file's text, or none after telling the player why.
    std::optional<std::string> Read(const std::string& path);
    void Tell(const std::string& path, const QString& reason);
    // Lists the topics of a file just loaded. The keyword list, which takes
    // longer, waits until its tab is shown.
    void Fill();
    // Lists the keywords, at once when they are few, else gathered away from
    // the window's thread while the list says so.
    void FillKeywords();
    // Shows a topic of file_; null shows nothing new.
    void ShowTopic(const HelpTopic* topic);
    // Shows the topic a row of either list leads to.
    void ShowRow(const QModelIndex& row);
    void FilterKeywords(const QString& text);
    void OpenWindow();

    std::function<std::string()> findFile_;
    Dialogs* dialogs_;
    std::shared_ptr<const HelpFile> file_ = std::make_shared<const HelpFile>();  // shared with a keyword gathering
    std::optional<FileKey> loaded_;
    QTabWidget* tabs_ = nullptr;
    QListView* contents_ = nullptr;
    HelpTopicList* contentsRows_ = nullptr;
    QLineEdit* keyword_ = nullptr;
    QListView* keywords_ = nullptr;
    HelpTopicList* keywordRows_ = nullptr;
    bool keywordsFilled_ = false;
    QTextBrowser* browser_ = nullptr;
    QString current_;
};

}  // namespace tilvaren
