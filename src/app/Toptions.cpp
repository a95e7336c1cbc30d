#include "app/Toptions.hpp"

#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/Icon.hpp"
#include "app/WindowFrame.hpp"
#include "core/Frame.hpp"

namespace tilvaren {

namespace {

constexpr int kFrameHelpContext = 35000;
constexpr int kOptionsHelpContext = 35300;

QGroupBox* RadioGroup(QWidget* parent, const QString& title, const QStringList& items, QButtonGroup*& group) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], box);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    return box;
}

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
    rgFrameSizeBox = RadioGroup(environment, QString::fromUtf8("フレームサイズ"),
                                {QString::fromUtf8("小（18ピクセル）(&S)"), QString::fromUtf8("中（24ピクセル）(&M)"),
                                 QString::fromUtf8("大（32ピクセル）(&L)")},
                                rgFrameSize);
    rgFrameSizeBox->setObjectName("rgFrameSize");
    rgFrameSizeBox->setGeometry(12, 10, 180, 110);
    cbMenuBar = new QCheckBox(QString::fromUtf8("メニューバーを表示する(&1)"), environment);
    cbMenuBar->setObjectName("cbMenuBar");
    cbMenuBar->setGeometry(205, 30, 170, 20);
    cbStatusBar = new QCheckBox(QString::fromUtf8("ステータスバーを表示する(&2)"), environment);
    cbStatusBar->setObjectName("cbStatusBar");
    cbStatusBar->setGeometry(205, 60, 170, 20);
    PageControl->addTab(environment, QString::fromUtf8("環 境(&E)"));

    auto* pentomino = new QWidget;
    rgFrameBox = RadioGroup(pentomino, QString::fromUtf8("フレーム"),
                            {QString::fromUtf8("３×20（   2通り）"), QString::fromUtf8("４×15（ 368通り）"),
                             QString::fromUtf8("５×12（1010通り）"), QString::fromUtf8("６×10（2339通り） ")},
                            rgFrame);
    rgFrameBox->setObjectName("rgFrame");
    rgFrameBox->setGeometry(12, 10, 200, 130);
    auto* image = new QLabel(pentomino);
    image->setObjectName("Image1");
    image->setPixmap(AppIcon().pixmap(32, 32));
    image->setGeometry(300, 20, 32, 32);
    PageControl->addTab(pentomino, QString::fromUtf8("ペントミノ(&P)"));

    btnOK = new QPushButton(QString::fromUtf8("OK(&O)"), this);
    btnOK->setObjectName("btnOK");
    btnOK->setGeometry(226, 208, 80, 26);
    btnOK->setDefault(true);
    btnCANCEL = new QPushButton(QString::fromUtf8("CANCEL(&C)"), this);
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
}

void Toptions::btnOKClick() {
    pending_.FrameY = FrameOfItem(rgFrame->checkedId());
    pending_.FrameSize = SizeOfItem(rgFrameSize->checkedId());
    pending_.MenuBarOn = cbMenuBar->isChecked();
    pending_.StatusBarOn = cbStatusBar->isChecked();
    accept();
}

void Toptions::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    KeepExactSize(*this);
}

}  // namespace tilvaren
