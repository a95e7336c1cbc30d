#include "app/Toptions.hpp"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <iterator>

#include "app/Icon.hpp"
#include "app/WindowFrame.hpp"
#include "ui/Accessibility.hpp"
#include "core/Frame.hpp"

namespace tilvaren {

namespace {

constexpr int kFrameHelpContext = 35000;
constexpr int kOptionsHelpContext = 35300;

QGroupBox* RadioGroup(QWidget* parent, int items, QButtonGroup*& group) {
    auto* box = new QGroupBox(parent);
    auto* layout = new QVBoxLayout(box);
    group = new QButtonGroup(box);
    for (int i = 0; i < items; ++i) {
        auto* radio = new QRadioButton(box);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    return box;
}

constexpr const char* kSizeItems[] = {QT_TRANSLATE_NOOP("tilvaren::Toptions", "小（18ピクセル）(&S)"),
                                      QT_TRANSLATE_NOOP("tilvaren::Toptions", "中（24ピクセル）(&M)"),
                                      QT_TRANSLATE_NOOP("tilvaren::Toptions", "大（32ピクセル）(&L)")};
// In the order of the frame items, 3 x 20 first.
constexpr const char* kFrameItems[] = {QT_TRANSLATE_NOOP("tilvaren::Toptions", "３×20（   2通り）"),
                                       QT_TRANSLATE_NOOP("tilvaren::Toptions", "４×15（ 368通り）"),
                                       QT_TRANSLATE_NOOP("tilvaren::Toptions", "５×12（1010通り）"),
                                       QT_TRANSLATE_NOOP("tilvaren::Toptions", "６×10（2339通り） ")};

}  // namespace

int SizeItemOf(int frameSize) {
    const int size = SizeClassOf(frameSize);
    for (std::size_t i = 0; i < kCellSizes.size(); ++i) {
        if (kCellSizes[i] == size) return static_cast<int>(i);
    }
    return SizeItemOf(kDefaultCellSize);
}

int SizeOfItem(int item) {
    return item >= 0 && item < static_cast<int>(kCellSizes.size()) ? kCellSizes[item] : kDefaultCellSize;
}

Toptions::Toptions(QWidget* parent) : QDialog(parent) {
    setObjectName("Toptions");
    setWindowTitle(QStringLiteral(" O p t i o n s"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowContextHelpButtonHint);
    setFixedSize(406, 245);

    PageControl = new QTabWidget(this);
    PageControl->setObjectName("PageControl");
    PageControl->setGeometry(8, 8, 390, 190);
    PageControl->setStyleSheet("QTabBar::tab { min-width: 70px; }");  // wider where a caption needs it

    auto* environment = new QWidget;
    rgFrameSizeBox = RadioGroup(environment, static_cast<int>(std::size(kSizeItems)), rgFrameSize);
    rgFrameSizeBox->setObjectName("rgFrameSize");
    rgFrameSizeBox->setGeometry(12, 10, 180, 110);
    cbMenuBar = new QCheckBox(environment);
    cbMenuBar->setObjectName("cbMenuBar");
    cbMenuBar->setGeometry(205, 30, 170, 20);
    cbStatusBar = new QCheckBox(environment);
    cbStatusBar->setObjectName("cbStatusBar");
    cbStatusBar->setGeometry(205, 60, 170, 20);
    languageLabel_ = new QLabel(environment);
    languageLabel_->setObjectName("lbLanguage");
    languageLabel_->setGeometry(205, 100, 170, 20);
    cbLanguage = new QComboBox(environment);
    cbLanguage->setObjectName("cbLanguage");
    cbLanguage->setGeometry(205, 122, 120, 24);
    cbLanguage->addItems({QString::fromUtf8("日本語"), QStringLiteral("English")});
    languageLabel_->setBuddy(cbLanguage);
    PageControl->addTab(environment, QString());

    auto* pentomino = new QWidget;
    rgFrameBox = RadioGroup(pentomino, static_cast<int>(std::size(kFrameItems)), rgFrame);
    rgFrameBox->setObjectName("rgFrame");
    rgFrameBox->setGeometry(12, 10, 200, 130);
    auto* image = new QLabel(pentomino);
    image->setObjectName("Image1");
    image->setPixmap(AppIcon().pixmap(32, 32));
    image->setGeometry(300, 20, 32, 32);
    PageControl->addTab(pentomino, QString());

    btnOK = new QPushButton(this);
    btnOK->setObjectName("btnOK");
    btnOK->setGeometry(226, 208, 80, 26);
    btnOK->setDefault(true);
    btnCANCEL = new QPushButton(this);
    btnCANCEL->setObjectName("btnCANCEL");
    btnCANCEL->setGeometry(316, 208, 80, 26);
    connect(btnOK, &QPushButton::clicked, this, &Toptions::btnOKClick);
    connect(btnCANCEL, &QPushButton::clicked, this, &QDialog::reject);

    // F1 anywhere in the dialog: the frame choice has a topic of its own.
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] {
        const bool onFrame = rgFrameBox->isAncestorOf(QApplication::focusWidget());
        emit contextHelpRequested(onFrame ? kFrameHelpContext : kOptionsHelpContext);
    });
    // Modal to the main window only, so that the help it opens can be used
    // while it is open.
    setWindowModality(Qt::WindowModal);
    Retranslate();
}

void Toptions::Retranslate() {
    rgFrameSizeBox->setTitle(tr("フレームサイズ"));
    for (int i = 0; i < static_cast<int>(std::size(kSizeItems)); ++i) rgFrameSize->button(i)->setText(tr(kSizeItems[i]));
    cbMenuBar->setText(tr("メニューバーを表示する(&1)"));
    cbStatusBar->setText(tr("ステータスバーを表示する(&2)"));
    languageLabel_->setText(tr("言語(&G):"));
    PageControl->setTabText(0, tr("環 境(&E)"));
    rgFrameBox->setTitle(tr("フレーム"));
    for (int i = 0; i < static_cast<int>(std::size(kFrameItems)); ++i) rgFrame->button(i)->setText(tr(kFrameItems[i]));
    PageControl->setTabText(1, tr("ペントミノ(&P)"));
    btnOK->setText(tr("OK(&O)"));
    btnCANCEL->setText(tr("CANCEL(&C)"));
}

void Toptions::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Retranslate();
        RenameTabScrollButtons(this);
    }
    QDialog::changeEvent(event);
}

void Toptions::FormShow(const Settings& current, bool gameStarted) {
    PageControl->setCurrentIndex(1);
    rgFrameBox->setEnabled(!gameStarted);
    pending_.FrameY = current.FrameY;
    if (QAbstractButton* item = rgFrame->button(FrameItemOf(current.FrameY))) item->setChecked(true);
    pending_.FrameSize = current.FrameSize;
    rgFrameSize->button(SizeItemOf(current.FrameSize))->setChecked(true);
    pending_.MenuBarOn = current.MenuBarOn;
    cbMenuBar->setChecked(current.MenuBarOn);
    pending_.StatusBarOn = current.StatusBarOn;
    cbStatusBar->setChecked(current.StatusBarOn);
    pending_.language = current.language;
    cbLanguage->setCurrentIndex(current.language == Language::English ? 1 : 0);
}

void Toptions::btnOKClick() {
    pending_.FrameY = FrameOfItem(rgFrame->checkedId());
    pending_.FrameSize = SizeOfItem(rgFrameSize->checkedId());
    pending_.MenuBarOn = cbMenuBar->isChecked();
    pending_.StatusBarOn = cbStatusBar->isChecked();
    pending_.language = cbLanguage->currentIndex() == 1 ? Language::English : Language::Japanese;
    accept();
}

void Toptions::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    KeepExactSize(*this);
}

}  // namespace tilvaren
