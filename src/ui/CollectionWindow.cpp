#include "ui/CollectionWindow.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmapCache>
#include <QSignalBlocker>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "core/Frame.hpp"
#include "ui/Accessibility.hpp"
#include "ui/Tiles.hpp"
#include "ui/Wording.hpp"

namespace tilvaren {

namespace {


// Small boards in the grid, and the chosen one.
constexpr int kSmallCell = 7;
constexpr int kLargeCell = kCellSizes[1];
constexpr int kItemMargin = 6;

// The least a large board's cell may shrink to when the window is narrow.
constexpr int kLeastLargeCell = 8;

// One tile per code and size in the screen's pixels, drawn once; used on
// the window's thread only.
const QImage& TileImage(int code, int cell) {
    static std::map<std::pair<int, int>, QImage> tiles;
    auto found = tiles.find({code, cell});
    if (found == tiles.end()) found = tiles.emplace(std::make_pair(code, cell), GenerateTile(code, cell)).first;
    return found->second;
}

// Draws each small board with its number and date; a board's picture is made
// once and kept in the pixmap cache, so scrolling paints only copies.
class BoardDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize ItemSize(int frameY, const QFont& font) const {
        const QFontMetrics metrics(font);
        const int width = std::max(FrameWidthOf(frameY) * kSmallCell, metrics.horizontalAdvance("No. 0000 ")) +
                          2 * kItemMargin;
        return {width, frameY * kSmallCell + 2 * metrics.height() + 3 * kItemMargin};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const auto* model = static_cast<const CollectionModel*>(index.model());
        const CollectionEntry* entry = model->Entry(index.row());
        if (entry == nullptr) return;
        const int frameY = model->FrameY();
        const QRect box = option.rect;
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        if (selected) painter->fillRect(box, option.palette.highlight());
        const qreal ratio = painter->device()->devicePixelRatioF();
        const QString key = QString("collection-%1-%2-%3").arg(frameY).arg(entry->number).arg(ratio);
        QPixmap picture;
        if (!QPixmapCache::find(key, &picture)) {
            picture = QPixmap::fromImage(CollectionBoardImage(entry->tiles, frameY, kSmallCell, ratio));
            QPixmapCache::insert(key, picture);
        }
        const QSize size = picture.deviceIndependentSize().toSize();
        painter->drawPixmap(box.x() + (box.width() - size.width()) / 2, box.y() + kItemMargin, picture);
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect text(box.x(), box.y() + 2 * kItemMargin + size.height(), box.width(),
                         box.height() - 2 * kItemMargin - size.height());
        painter->drawText(text, Qt::AlignHCenter | Qt::AlignTop, CaptionWords(*entry));
        if (option.state.testFlag(QStyle::State_HasFocus)) {
            painter->setPen(QPen(option.palette.color(QPalette::Text), 1, Qt::DotLine));
            painter->drawRect(box.adjusted(1, 1, -2, -2));
        }
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return ItemSize(static_cast<const CollectionModel*>(index.model())->FrameY(), option.font);
    }
};

}  // namespace

QImage CollectionBoardImage(const std::array<int, 60>& tiles, int frameY, int cell, qreal ratio) {
    const int width = FrameWidthOf(frameY);
    // Whole screen pixels a cell, so the tiles meet without a seam.
    const int pixels = std::max(1, qRound(cell * std::max(ratio, 1.0)));
    QImage image(width * pixels, ValidFrameY(frameY) * pixels, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        for (int n = 0; n < kCellCount; ++n) {
            painter.drawImage((n % width) * pixels, (n / width) * pixels,
                              TileImage(tiles[static_cast<std::size_t>(n)], pixels));
        }
    }
    image.setDevicePixelRatio(static_cast<qreal>(pixels) / cell);
    return image;
}

// --- the large board ----------------------------------------------------

LargeBoard::LargeBoard(int frameY, QWidget* parent) : QWidget(parent), frameY_(frameY) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void LargeBoard::Show(const std::array<int, 60>* tiles, const QString& words) {
    hasBoard_ = tiles != nullptr;
    if (tiles != nullptr) tiles_ = *tiles;
    words_ = words;
    update();
}

int LargeBoard::Cell() const {
    const int cell = std::min(width() / FrameWidthOf(frameY_), height() / ValidFrameY(frameY_));
    return std::clamp(cell, 1, kLargeCell);
}

QSize LargeBoard::sizeHint() const { return {FrameWidthOf(frameY_) * kLargeCell, ValidFrameY(frameY_) * kLargeCell}; }

QSize LargeBoard::minimumSizeHint() const {
    return {FrameWidthOf(frameY_) * kLeastLargeCell, ValidFrameY(frameY_) * kLeastLargeCell};
}

void LargeBoard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!hasBoard_) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, words_);
        return;
    }
    const int cell = Cell();
    const QImage board = CollectionBoardImage(tiles_, frameY_, cell, devicePixelRatioF());
    const QSize size(FrameWidthOf(frameY_) * cell, ValidFrameY(frameY_) * cell);
    painter.drawImage(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), board);
}

// --- the model ----------------------------------------------------------

void CollectionModel::SetPage(std::shared_ptr<const Collection> owner, const CollectionPage* page) {
    beginResetModel();
    owner_ = std::move(owner);
    page_ = page;
    endResetModel();
}

const CollectionEntry* CollectionModel::Entry(int row) const {
    return row >= 0 && row < rowCount() ? &page_->entries[static_cast<std::size_t>(row)] : nullptr;
}

int CollectionModel::RowOfNumber(int number) const {
    for (int row = 0; row < rowCount(); ++row) {
        if (Entry(row)->number == number) return row;
    }
    return -1;
}

int CollectionModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || page_ == nullptr ? 0 : static_cast<int>(page_->entries.size());
}

QVariant CollectionModel::data(const QModelIndex& index, int role) const {
    const CollectionEntry* entry = Entry(index.row());
    if (entry == nullptr) return {};
    switch (role) {
        case Qt::DisplayRole: return CaptionWords(*entry);
        case Qt::AccessibleTextRole:
        case Qt::ToolTipRole: return EntryName(*entry);
        default: return {};
    }
}

// --- one page -----------------------------------------------------------

CollectionPageView::CollectionPageView(int frameY, const CollectionActions& actions, QWidget* parent)
    : QWidget(parent), frameY_(frameY) {
    auto* column = new QVBoxLayout(this);
    // Narrow margins: the window fits beside the game on a small or scaled screen.
    column->setContentsMargins(4, 4, 4, 4);
    header_ = new QLabel(this);
    header_->setObjectName("CollectionHeader");
    QFont bigger = header_->font();
    // The window's font may be set in pixels or in points.
    if (bigger.pixelSize() > 0) {
        bigger.setPixelSize(bigger.pixelSize() * 4 / 3);
    } else {
        bigger.setPointSizeF(bigger.pointSizeF() * 4 / 3);
    }
    bigger.setBold(true);
    header_->setFont(bigger);
    column->addWidget(header_);
    progress_ = new QProgressBar(this);
    progress_->setTextVisible(true);
    progress_->setFormat(QStringLiteral("%v / %m"));
    column->addWidget(progress_);
    counts_ = new QLabel(this);
    counts_->setObjectName("CollectionCounts");
    counts_->setWordWrap(true);
    column->addWidget(counts_);

    auto* controls = new QHBoxLayout;
    orderLabel_ = new QLabel(this);
    order_ = new QComboBox(this);
    order_->setObjectName("CollectionOrder");
    order_->addItem(QString());
    order_->addItem(QString());
    orderLabel_->setBuddy(order_);
    challenge_ = new QPushButton(this);
    challenge_->setObjectName("ChallengeButton");
    challengeLine_ = new QLabel(this);
    challengeLine_->setObjectName("ChallengeLine");
    challengeLine_->setWordWrap(true);
    controls->addWidget(orderLabel_);
    controls->addWidget(order_);
    controls->addWidget(challenge_);
    controls->addStretch(1);
    column->addLayout(controls);
    // A line of its own, whole on a narrow window too.
    column->addWidget(challengeLine_);
    challengeLine_->hide();

    model_ = new CollectionModel(this);
    auto* delegate = new BoardDelegate(this);
    grid_ = new QListView(this);
    grid_->setObjectName("CollectionGrid");
    grid_->setViewMode(QListView::IconMode);
    grid_->setResizeMode(QListView::Adjust);
    grid_->setMovement(QListView::Static);
    grid_->setUniformItemSizes(true);
    grid_->setLayoutMode(QListView::Batched);
    grid_->setBatchSize(200);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setItemDelegate(delegate);
    grid_->setGridSize(delegate->ItemSize(frameY, grid_->font()));
    grid_->setModel(model_);
    column->addWidget(grid_, 1);

    auto* chosen = new QHBoxLayout;
    large_ = new LargeBoard(frameY, this);
    large_->setObjectName("CollectionLarge");
    details_ = new QLabel(this);
    details_->setObjectName("CollectionDetails");
    details_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    details_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    chosen->addWidget(large_);
    chosen->addWidget(details_, 1);
    column->addLayout(chosen);

    connect(order_, &QComboBox::currentIndexChanged, this, [this, sort = actions.sort](int index) {
        sort(frameY_, index == 1 ? CollectionOrder::ByFirstFind : CollectionOrder::ByNumber);
    });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, choose = actions.choose](const QModelIndex& current) {
                if (const CollectionEntry* entry = model_->Entry(current.row())) choose(frameY_, entry->number);
            });
    connect(challenge_, &QPushButton::clicked, this, [this, challenge = actions.challenge] { challenge(frameY_); });
    Retranslate();
}

void CollectionPageView::Retranslate() {
    progress_->setAccessibleName(tr("見つけた解の割合"));
    orderLabel_->setText(tr("並べ方(&S):"));
    order_->setItemText(0, tr("番号順"));
    order_->setItemText(1, tr("見つけた順"));
    order_->setAccessibleName(tr("並べ方"));
    challenge_->setText(tr("挑戦(&T)"));
    grid_->setAccessibleName(tr("見つけた解"));
    SetPage(owner_, page_);
}

void CollectionPageView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) Retranslate();
    QWidget::changeEvent(event);
}

void CollectionPageView::SetPage(std::shared_ptr<const Collection> owner, const CollectionPage* page) {
    owner_ = std::move(owner);
    page_ = page;
    if (page == nullptr) {
        header_->clear();
        header_->setAccessibleName({});
        // No count to show while reading or after a failure: no bar either.
        progress_->hide();
        counts_->clear();
    } else {
        const QString header = HeaderWords(*page);
        header_->setText(header);
        header_->setAccessibleName(header);
        progress_->show();
        progress_->setRange(0, static_cast<int>(page->total));
        progress_->setValue(static_cast<int>(page->found));
        progress_->setAccessibleDescription(header);
        counts_->setText(CountsWords(*page));
        const QSignalBlocker quiet(order_);
        order_->setCurrentIndex(page->order == CollectionOrder::ByFirstFind ? 1 : 0);
    }
    model_->SetPage(owner_, page_);
    const int chosen = page != nullptr ? page->chosen : 0;
    const int row = model_->RowOfNumber(chosen);
    if (row >= 0) {
        grid_->setCurrentIndex(model_->index(row));
        grid_->scrollTo(model_->index(row));
    }
    ShowChosen(chosen);
}

void CollectionPageView::SetChallengeLine(const QString& text, bool searching) {
    challenge_->setEnabled(!searching);
    challengeLine_->setText(text);
    challengeLine_->setVisible(!text.isEmpty());
}

void CollectionPageView::ShowChosen(int number) {
    const CollectionEntry* entry = model_->Entry(model_->RowOfNumber(number));
    if (entry == nullptr) {
        const QString words = page_ != nullptr && !page_->entries.empty()
                                  ? tr("解を選ぶと、ここに大きく表示します。")
                                  : QString();
        large_->Show(nullptr, words);
        large_->setAccessibleName(words);
        details_->clear();
        return;
    }
    large_->Show(&entry->tiles, {});
    large_->setAccessibleName(EntryName(*entry));
    details_->setText(DetailsWords(*entry, frameY_));
}

// --- the window ---------------------------------------------------------

CollectionWindow::CollectionWindow(CollectionActions actions, QWidget* parent)
    : QWidget(parent, Qt::Window), actions_(std::move(actions)) {
    setObjectName("CollectionWindow");
    setWindowTitle(QStringLiteral(" C o l l e c t i o n"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    status_ = new QLabel(this);
    status_->setObjectName("CollectionStatus");
    status_->setWordWrap(true);
    status_->hide();
    column->addWidget(status_);
    tabs_ = new QTabWidget(this);
    for (const int frameY : kFrameHeights) {
        auto* page = new CollectionPageView(frameY, actions_, tabs_);
        pages_.push_back(page);
        tabs_->addTab(page, FrameCaption(frameY));
    }
    column->addWidget(tabs_, 1);
    resize(700, 620);

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, [this] { actions_.help(); });
}

CollectionPageView* CollectionWindow::Page(int frameY) const {
    for (CollectionPageView* page : pages_) {
        if (page->FrameY() == frameY) return page;
    }
    return nullptr;
}

void CollectionWindow::ShowOn(int frameY) {
    if (CollectionPageView* page = Page(frameY)) tabs_->setCurrentWidget(page);
    show();
    raise();
    activateWindow();
}

void CollectionWindow::Show(const std::shared_ptr<const Collection>& collection) {
    shown_ = collection;
    status_->setText(StatusWords(*collection));
    status_->setAccessibleName(status_->text());
    status_->setVisible(collection->state != Collection::State::Ready);
    if (collection->state == Collection::State::Reading) return;
    for (CollectionPageView* page : pages_) page->SetPage(collection, PageOf(*collection, page->FrameY()));
    emit collectionShown();
}

void CollectionWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        RenameTabScrollButtons(this);
        for (int i = 0; i < tabs_->count(); ++i) tabs_->setTabText(i, FrameCaption(pages_[static_cast<std::size_t>(i)]->FrameY()));
        if (shown_ != nullptr) {
            status_->setText(StatusWords(*shown_));
            status_->setAccessibleName(status_->text());
        }
    }
    QWidget::changeEvent(event);
}

void CollectionWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    actions_.closed();
}

}  // namespace tilvaren
