#include "app/HelpWindow.hpp"

#include <QHBoxLayout>
#include <QSplitter>
#include <QVBoxLayout>

#include "records/SafeFile.hpp"

namespace tilvaren {

namespace {
constexpr std::size_t kHelpLimit = 4 * 1024 * 1024;
constexpr int kTopicRole = Qt::UserRole;
}  // namespace

HelpWindow::HelpWindow(std::function<std::string()> findFile, QWidget* parent)
    : QDialog(parent), findFile_(std::move(findFile)) {
    setObjectName("HelpWindow");
    setWindowTitle(QString::fromUtf8(" T i l v a r e n  ヘルプ"));
    setWindowFlags(Qt::Window);
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
    browser_ = new QTextBrowser(splitter);
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
    if (path.empty()) return false;
    const ReadResult read = ReadSmallFile(path, kHelpLimit);
    if (!read.status || !read.content) return false;
    file_ = HelpFile::Parse(*read.content);
    if (file_.Topics().empty()) return false;

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
    return true;
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
    browser_->setHtml(QString::fromStdString("<h2>" + topic->title + "</h2>" + topic->body));
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
