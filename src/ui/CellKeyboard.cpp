#include "ui/CellKeyboard.hpp"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

#include "board/Board.hpp"
#include "session/CellKeys.hpp"

namespace tilvaren {

namespace {

// Two rings, black outside and white inside, so the frame shows on a button,
// a selected, a blocked and a piece cell alike.
class FocusFrame : public QWidget {
public:
    explicit FocusFrame(QWidget* parent) : QWidget(parent) {
        setObjectName("FocusFrame");
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.setPen(Qt::white);
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
};

CellKey CellKeyOf(int key) {
    switch (key) {
        case Qt::Key_Left:
            return CellKey::Left;
        case Qt::Key_Right:
            return CellKey::Right;
        case Qt::Key_Up:
            return CellKey::Up;
        case Qt::Key_Down:
            return CellKey::Down;
        case Qt::Key_Home:
            return CellKey::Home;
        case Qt::Key_End:
            return CellKey::End;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return CellKey::Act;
        default:
            return CellKey::Other;
    }
}

}  // namespace

CellKeyboard::CellKeyboard(QWidget* area, Cells cells)
    : QObject(area), cells_(std::move(cells)), frame_(new FocusFrame(area)) {
    area->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusChanged(now); });
}

void CellKeyboard::Watch(int n, QWidget* button, QWidget* image) {
    for (QWidget* control : {button, image}) {
        cellOf_[control] = n;
        control->installEventFilter(this);
    }
}

void CellKeyboard::WatchWindow(QWidget* window) {
    window_ = window;
    window->installEventFilter(this);
}

bool CellKeyboard::HoldsCell(int n) const { return keyboard_ && focused_ == n; }

void CellKeyboard::FocusCell(int n) {
    if (n < 0 || n >= kCellCount) return;
    focused_ = n;
    cells_.control(n)->setFocus(Qt::OtherFocusReason);
    PlaceFrame();
}

void CellKeyboard::FocusChanged(QWidget* now) {
    const auto found = cellOf_.find(now);
    focused_ = found != cellOf_.end() ? found->second : -1;
    PlaceFrame();
}

void CellKeyboard::PlaceFrame() {
    QWidget* control = focused_ >= 0 ? cells_.control(focused_) : nullptr;
    if (!keyboard_ || control == nullptr || control->window()->focusWidget() != control) {
        frame_->hide();
        return;
    }
    frame_->setGeometry(control->geometry());
    frame_->raise();
    frame_->show();
}

bool CellKeyboard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            keyboard_ = false;
            frame_->hide();
            return false;
        case QEvent::Move:
        case QEvent::Resize:
            if (cellOf_.count(watched) && cellOf_.at(watched) == focused_) PlaceFrame();
            return false;
        case QEvent::KeyPress:
            break;
        default:
            return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const bool onCell = cellOf_.count(watched) > 0;
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (watched == window_) {
        // Keys that reach the window itself: the arrows bring the focus to the board.
        const CellKey move = CellKeyOf(key->key());
        if (move == CellKey::Other || move == CellKey::Act || modifiers != Qt::NoModifier) return false;
        keyboard_ = true;
        FocusCell(cells_.startCell());
        return true;
    }
    if (!onCell) return false;
    // Only a key that moves over or acts on the cells shows the frame: a
    // menu shortcut or a lone modifier leaves the board as the mouse left it.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
        keyboard_ = true;
        if ((modifiers & ~Qt::ShiftModifier) != Qt::NoModifier) return false;
        const bool forward = key->key() == Qt::Key_Tab && modifiers == Qt::NoModifier;
        const int next = OnTabKey(cellOf_.at(watched), forward, cells_.tabOrder());
        if (next < 0) return false;
        FocusCell(next);
        return true;
    }
    const CellKey cellKey = CellKeyOf(key->key());
    if (modifiers != Qt::NoModifier || cellKey == CellKey::Other) return false;
    keyboard_ = true;
    PlaceFrame();
    const int n = cellOf_.at(watched);
    const KeyOutcome outcome = OnCellKey(n, cellKey, key->isAutoRepeat(), cells_.rowLength(), kCellCount);
    if (outcome.act) cells_.act(n);
    if (outcome.act || cellKey != CellKey::Act) FocusCell(outcome.focus);
    return true;
}

}  // namespace tilvaren
