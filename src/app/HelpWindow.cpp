#include "app/HelpWindow.hpp"

#include <sys/stat.h>

#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/AwayThenBack.hpp"
#include "ui/Accessibility.hpp"
#include "ui/Wording.hpp"
#include "records/FileNames.hpp"
#include "records/HelpMarkup.hpp"
#include "records/SafeFile.hpp"

namespace tilvaren {

namespace {

// The real file is about 30 KB. Reading and parsing a file this large takes a
// few milliseconds; what a topic hands to the viewer is bounded apart, by
// MakeHelpPage.
constexpr std::size_t kHelpLimit = 1024 * 1024;

// Up to this many keyword entries are listed at once, which takes the window a
// few milliseconds per 10,000; more are gathered away from the window.
constexpr std::size_t kKeywordsAtOnce = 20000;

// The keyword list's rows: each keyword, and the topic's title beside a
// keyword that more than one topic carries.
std::vector<HelpTopicList::Entry> KeywordRows(const HelpFile& file) {
    const std::vector<HelpTopic>& topics = file.Topics();
    const std::vector<HelpKeyword> index = file.KeywordIndex();
    std::vector<HelpTopicList::Entry> rows;
    rows.reserve(index.size());
    for (const HelpKeyword& entry : index) {
        QString label = QString::fromUtf8(entry.keyword.data(), static_cast<qsizetype>(entry.keyword.size()));
        if (entry.shared) label += QString::fromUtf8(" — ") + QString::fromStdString(entry.topic->title);
        rows.push_back({std::move(label), static_cast<int>(entry.topic - topics.data())});
    }
    return rows;
}

// A list view laid out a batch of rows at a time between events, so that a
// long list never holds the window up.
QListView* MakeTopicListView(QAbstractItemModel* rows, QWidget* parent) {
    auto* view = new QListView(parent);
    view->setModel(rows);
    view->setLayoutMode(QListView::Batched);
    view->setBatchSize(200);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return view;
}

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

void HelpTopicList::Reset(std::vector<Entry> entries) {
    beginResetModel();
    entries_ = std::move(entries);
    shown_.resize(entries_.size());
    for (std::size_t i = 0; i < shown_.size(); ++i) shown_[i] = static_cast<int>(i);
    endResetModel();
}

void HelpTopicList::Filter(const QString& text) {
    if (text.isEmpty() && shown_.size() == entries_.size()) return;
    beginResetModel();
    shown_.clear();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].label.contains(text, Qt::CaseInsensitive)) shown_.push_back(static_cast<int>(i));
    }
    endResetModel();
}

int HelpTopicList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant HelpTopicList::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const Entry& entry = entries_[static_cast<std::size_t>(shown_[static_cast<std::size_t>(index.row())])];
    if (role == Qt::DisplayRole) return entry.label;
    if (role == kTopicRole) return entry.topic;
    return {};
}

HelpWindow::HelpWindow(std::function<std::string()> findFile, Dialogs& dialogs)
    : findFile_(std::move(findFile)), dialogs_(&dialogs) {
    setObjectName("HelpWindow");
    setWindowFlags(Qt::Window);
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(720, 480);

    auto* splitter = new QSplitter(this);
    tabs_ = new QTabWidget(splitter);
    contentsRows_ = new HelpTopicList(this);
    contents_ = MakeTopicListView(contentsRows_, nullptr);
    tabs_->addTab(contents_, QString());
    auto* search = new QWidget;
    auto* searchLayout = new QVBoxLayout(search);
    keyword_ = new QLineEdit(search);
    keywordRows_ = new HelpTopicList(this);
    keywords_ = MakeTopicListView(keywordRows_, search);
    searchLayout->addWidget(keyword_);
    searchLayout->addWidget(keywords_);
    tabs_->addTab(search, QString());
    browser_ = new TopicBrowser(splitter);
    browser_->setOpenLinks(false);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    for (QListView* list : {contents_, keywords_}) {
        connect(list, &QListView::activated, this, &HelpWindow::ShowRow);
        connect(list, &QListView::clicked, this, &HelpWindow::ShowRow);
    }
    connect(keyword_, &QLineEdit::textChanged, this, &HelpWindow::FilterKeywords);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab != 1 || keywordsFilled_) return;
        FillKeywords();
        FilterKeywords(keyword_->text());
    });
    connect(keyword_, &QLineEdit::returnPressed, this, [this] { ShowRow(keywordRows_->index(0)); });
    // Links between topics are "#id"; anything else is not followed.
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme().isEmpty() && !url.fragment().isEmpty()) {
            ShowTopic(file_->ById(url.fragment().toStdString()));
        }
    });
    Retranslate();
}

void HelpWindow::Retranslate() {
    setWindowTitle(tr(" T i l v a r e n  ヘルプ"));
    tabs_->setTabText(0, tr("目次"));
    tabs_->setTabText(1, tr("キーワード"));
    keyword_->setPlaceholderText(tr("キーワードを入力"));
}

void HelpWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Retranslate();
        RenameTabScrollButtons(this);
        // The help file of the new language, where the window is open.
        if (isVisible()) Contents();
    }
    QDialog::changeEvent(event);
}

bool HelpWindow::Load() {
    const std::string path = findFile_();
    if (path.empty()) {
        dialogs_->Message(tr("ヘルプファイル \"%1\" が見つかりません。").arg(QString::fromUtf8(kHelpFile)));
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
        Tell(path, tr("ヘルプの項目が一つもありません。"));
        return false;
    }
    file_ = std::make_shared<const HelpFile>(std::move(parsed));
    loaded_ = key;
    Fill();
    return true;
}

void HelpWindow::Tell(const std::string& path, const QString& reason) {
    dialogs_->Message(tr("ヘルプファイル \"%1\" を読み込めませんでした。\n%2").arg(QFile::decodeName(path.c_str()), reason));
}

std::optional<HelpWindow::FileKey> HelpWindow::Examine(const std::string& path) {
    const QString tooLarge = tr("ファイルが大きすぎます（1 MB まで）。");
    // A built-in copy never changes; its path is all the key it needs.
    if (path.starts_with(":/")) {
        const QFile builtIn(QString::fromStdString(path));
        if (!builtIn.exists()) {
            Tell(path, tr("ファイルがありません。"));
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
        Tell(path, read.status ? tr("ファイルがありません。") : Words(read.status));
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        Tell(path, tr("通常のファイルではありません。"));
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
        Tell(path, Words(read.status));
        return std::nullopt;
    }
    if (!read.content) {
        Tell(path, tr("ファイルがありません。"));
        return std::nullopt;
    }
    return std::move(read.content);
}

void HelpWindow::Fill() {
    std::vector<HelpTopicList::Entry> rows;
    rows.reserve(file_->Topics().size());
    for (const HelpTopic& topic : file_->Topics()) {
        rows.push_back({QString::fromStdString(topic.title), static_cast<int>(rows.size())});
    }
    contentsRows_->Reset(std::move(rows));
    keywordRows_->Reset({});
    keywordsFilled_ = false;
}

void HelpWindow::FillKeywords() {
    keywordsFilled_ = true;
    std::size_t count = 0;
    for (const HelpTopic& topic : file_->Topics()) count += topic.keywords.size();
    if (count <= kKeywordsAtOnce) {
        keywordRows_->Reset(KeywordRows(*file_));
        return;
    }
    keywordRows_->Reset({{tr("キーワードを集めています…"), -1}});
    using Rows = std::shared_ptr<std::vector<HelpTopicList::Entry>>;
    AwayThenBack<Rows>(
        this, [file = file_] { return std::make_shared<std::vector<HelpTopicList::Entry>>(KeywordRows(*file)); },
        [this, file = file_](const Rows& rows) {
            if (file != file_) return;  // another file came meanwhile
            keywordRows_->Reset(std::move(*rows));
            FilterKeywords(keyword_->text());
        });
}

void HelpWindow::OpenWindow() {
    show();
    raise();
    activateWindow();
}

void HelpWindow::ShowRow(const QModelIndex& row) {
    const int place = row.isValid() ? row.data(HelpTopicList::kTopicRole).toInt() : -1;
    if (place >= 0) ShowTopic(&file_->Topics().at(static_cast<std::size_t>(place)));
}

void HelpWindow::ShowTopic(const HelpTopic* topic) {
    if (topic == nullptr) return;
    current_ = QString::fromStdString(topic->id);
    const HelpPage page = MakeHelpPage(*topic);
    QString html = QString::fromStdString(page.html);
    if (page.shortened) {
        html += tr("<p>（この項目は長すぎるため、ここまでを表示しています。）</p>");
    }
    browser_->setHtml(html);
}

void HelpWindow::FilterKeywords(const QString& text) {
    keywordRows_->Filter(text);
    keywords_->setCurrentIndex(keywordRows_->index(0));
}

void HelpWindow::Contents() {
    if (!Load()) return;
    tabs_->setCurrentIndex(0);
    contents_->setCurrentIndex(contentsRows_->index(0));
    ShowTopic(&file_->Topics().front());
    OpenWindow();
}

void HelpWindow::KeywordSearch() {
    if (!Load()) return;
    if (!keywordsFilled_) FillKeywords();
    tabs_->setCurrentIndex(1);
    keyword_->clear();
    FilterKeywords({});
    OpenWindow();
    keyword_->setFocus();
}

void HelpWindow::Context(int context) {
    if (!Load()) return;
    const HelpTopic* topic = file_->ByContext(context);
    if (topic == nullptr) topic = &file_->Topics().front();
    tabs_->setCurrentIndex(0);
    ShowTopic(topic);
    OpenWindow();
}

}  // namespace tilvaren
