#include "app/HelpWindow.hpp"

#include <sys/stat.h>

#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QSplitter>
#include <QVBoxLayout>

#include "records/FileNames.hpp"
#include "records/HelpMarkup.hpp"
#include "records/SafeFile.hpp"

namespace tilvaren {

namespace {

// The real file is about 30 KB. Reading and parsing a file this large takes a
// few milliseconds; what a topic hands to the viewer is bounded apart, by
// MakeHelpPage.
constexpr std::size_t kHelpLimit = 1024 * 1024;
constexpr int kTopicRole = Qt::UserRole;

// Shows the file's own text only. Every image, style sheet or page it names is
// answered with an empty one here, so the document never falls back to
// reading the name from the disk itself (an image must be a real, if blank,
// picture, or the image handler tries the file too).
class TopicBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl&) override {
        if (type == QTextDocument::ImageResource) {
            QImage blank(1, 1, QImage::Format_ARGB32);
            blank.fill(Qt::transparent);
            return blank;
        }
        return QByteArray("");
    }
};

}  // namespace

HelpWindow::HelpWindow(std::function<std::string()> findFile, Dialogs& dialogs)
    : findFile_(std::move(findFile)), dialogs_(&dialogs) {
    setObjectName("HelpWindow");
    setWindowTitle(QString::fromUtf8(" T i l v a r e n  ヘルプ"));
    setWindowFlags(Qt::Window);
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(720, 480);

    auto* splitter = new QSplitter(this);
    tabs_ = new QTabWidget(splitter);
    contents_ = new QListWidget;
    tabs_->addTab(contents_, QString::fromUtf8("目次"));
    auto* search = new QWidget;
    auto* searchLayout = new QVBoxLayout(search);
    keyword_ = new QLineEdit(search);
    keyword_->setPlaceholderText(QString::fromUtf8("キーワードを入力"));
    keywords_ = new QListWidget(search);
    searchLayout->addWidget(keyword_);
    searchLayout->addWidget(keywords_);
    tabs_->addTab(search, QString::fromUtf8("キーワード"));
    browser_ = new TopicBrowser(splitter);
    browser_->setOpenLinks(false);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    const auto open = [this](QListWidgetItem* item) {
        if (item != nullptr) ShowTopic(item->data(kTopicRole).toString());
    };
    connect(contents_, &QListWidget::itemActivated, this, open);
    connect(contents_, &QListWidget::itemClicked, this, open);
    connect(keywords_, &QListWidget::itemActivated, this, open);
    connect(keywords_, &QListWidget::itemClicked, this, open);
    connect(keyword_, &QLineEdit::textChanged, this, &HelpWindow::FilterKeywords);
    connect(keyword_, &QLineEdit::returnPressed, this, [this, open] {
        for (int i = 0; i < keywords_->count(); ++i) {
            if (!keywords_->item(i)->isHidden()) return open(keywords_->item(i));
        }
    });
    // Links between topics are "#id"; anything else is not followed.
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme().isEmpty() && !url.fragment().isEmpty()) ShowTopic(url.fragment());
    });
}

bool HelpWindow::Load() {
    const std::string path = findFile_();
    if (path.empty()) {
        dialogs_->Message(QString::fromUtf8("ヘルプファイル \"") + kHelpFile +
                          QString::fromUtf8("\" が見つかりません。"));
        return false;
    }
    const std::optional<FileKey> key = Examine(path);
    if (!key) {
        loaded_.reset();
        return false;
    }
    if (loaded_ == key) return true;
    const std::optional<std::string> text = Read(path);
    if (!text) {
        loaded_.reset();
        return false;
    }
    HelpFile parsed = HelpFile::Parse(*text);
    if (parsed.Topics().empty()) {
        loaded_.reset();
        Tell(path, QString::fromUtf8("ヘルプの項目が一つもありません。"));
        return false;
    }
    file_ = std::move(parsed);
    loaded_ = key;
    Fill();
    return true;
}

void HelpWindow::Tell(const std::string& path, const QString& reason) {
    dialogs_->Message(QString::fromUtf8("ヘルプファイル \"") + QFile::decodeName(path.c_str()) +
                      QString::fromUtf8("\" を読み込めませんでした。\n") + reason);
}

std::optional<HelpWindow::FileKey> HelpWindow::Examine(const std::string& path) {
    const QString tooLarge = QString::fromUtf8("ファイルが大きすぎます（1 MB まで）。");
    // A built-in copy never changes; its path is all the key it needs.
    if (path.starts_with(":/")) {
        const QFile builtIn(QString::fromStdString(path));
        if (!builtIn.exists()) {
            Tell(path, QString::fromUtf8("ファイルがありません。"));
            return std::nullopt;
        }
        if (static_cast<std::size_t>(builtIn.size()) > kHelpLimit) {
            Tell(path, tooLarge);
            return std::nullopt;
        }
        return FileKey{path};
    }
    // stat() opens nothing, so a pipe or a device is turned away unread.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const ReadResult read = ReadSmallFile(path, kHelpLimit);  // for the reason, told as everywhere
        Tell(path, read.status ? QString::fromUtf8("ファイルがありません。") : QString::fromStdString(read.status.reason));
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        Tell(path, QString::fromUtf8("通常のファイルではありません。"));
        return std::nullopt;
    }
    if (static_cast<std::size_t>(info.st_size) > kHelpLimit) {
        Tell(path, tooLarge);
        return std::nullopt;
    }
    return FileKey{path, info.st_dev, info.st_ino, static_cast<unsigned long long>(info.st_size),
                   info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
}

std::optional<std::string> HelpWindow::Read(const std::string& path) {
    if (path.starts_with(":/")) {
        QFile builtIn(QString::fromStdString(path));
        if (!builtIn.open(QIODevice::ReadOnly)) {
            Tell(path, builtIn.errorString());
            return std::nullopt;
        }
        return builtIn.read(static_cast<qint64>(kHelpLimit)).toStdString();
    }
    // Another check of its own: the file may have been swapped since.
    ReadResult read = ReadSmallFile(path, kHelpLimit);
    if (!read.status) {
        Tell(path, QString::fromStdString(read.status.reason));
        return std::nullopt;
    }
    if (!read.content) {
        Tell(path, QString::fromUtf8("ファイルがありません。"));
        return std::nullopt;
    }
    return std::move(read.content);
}

void HelpWindow::Fill() {
    contents_->clear();
    for (const HelpTopic& topic : file_.Topics()) {
        auto* item = new QListWidgetItem(QString::fromStdString(topic.title), contents_);
        item->setData(kTopicRole, QString::fromStdString(topic.id));
    }
    keywords_->clear();
    for (const auto& [keyword, topics] : file_.KeywordIndex()) {
        for (const HelpTopic* topic : topics) {
            const QString label = topics.size() == 1 ? QString::fromStdString(keyword)
                                                     : QString::fromStdString(keyword + " — " + topic->title);
            auto* item = new QListWidgetItem(label, keywords_);
            item->setData(kTopicRole, QString::fromStdString(topic->id));
        }
    }
}

void HelpWindow::OpenWindow() {
    show();
    raise();
    activateWindow();
}

void HelpWindow::ShowTopic(const QString& id) {
    const HelpTopic* topic = file_.ById(id.toStdString());
    if (topic == nullptr) return;
    current_ = id;
    const HelpPage page = MakeHelpPage(*topic);
    QString html = QString::fromStdString(page.html);
    if (page.shortened) {
        html += QString::fromUtf8("<p>（この項目は長すぎるため、ここまでを表示しています。）</p>");
    }
    browser_->setHtml(html);
}

void HelpWindow::FilterKeywords(const QString& text) {
    QListWidgetItem* first = nullptr;
    for (int i = 0; i < keywords_->count(); ++i) {
        QListWidgetItem* item = keywords_->item(i);
        const bool match = text.isEmpty() || item->text().startsWith(text, Qt::CaseInsensitive) ||
                           item->text().contains(text, Qt::CaseInsensitive);
        item->setHidden(!match);
        if (match && first == nullptr) first = item;
    }
    keywords_->setCurrentItem(first);
}

void HelpWindow::Contents() {
    if (!Load()) return;
    tabs_->setCurrentIndex(0);
    contents_->setCurrentRow(0);
    ShowTopic(QString::fromStdString(file_.Topics().front().id));
    OpenWindow();
}

void HelpWindow::KeywordSearch() {
    if (!Load()) return;
    tabs_->setCurrentIndex(1);
    keyword_->clear();
    FilterKeywords({});
    OpenWindow();
    keyword_->setFocus();
}

void HelpWindow::Context(int context) {
    if (!Load()) return;
    const HelpTopic* topic = file_.ByContext(context);
    if (topic == nullptr) topic = &file_.Topics().front();
    tabs_->setCurrentIndex(0);
    ShowTopic(QString::fromStdString(topic->id));
    OpenWindow();
}

}  // namespace tilvaren
