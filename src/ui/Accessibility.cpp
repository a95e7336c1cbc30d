#include "ui/Accessibility.hpp"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QMenu>
#include <QPointer>
#include <QTabBar>
#include <QToolButton>
#include <algorithm>

namespace tilvaren {

namespace {

constexpr char kShownChildrenOnly[] = "tilvarenShownChildrenOnly";
constexpr char kToggleOn[] = "tilvarenToggleOn";
constexpr char kRule[] = "tilvarenRule";
constexpr char kAnnouncement[] = "tilvarenAnnouncement";

// The board area: only the controls a sighted player sees, top to bottom and
// left to right; hidden controls, the focus frame and the unnamed background
// are left out.
class ShownChildrenAccessible : public QAccessibleWidget {
public:
    explicit ShownChildrenAccessible(QWidget* area) : QAccessibleWidget(area, QAccessible::Grouping) {}

    int childCount() const override { return static_cast<int>(Shown().size()); }
    QAccessibleInterface* child(int index) const override {
        const QWidgetList shown = Shown();
        if (index < 0 || index >= shown.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(shown[index]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) return -1;
        return static_cast<int>(Shown().indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    QWidgetList Shown() const {
        QWidgetList shown;
        for (QObject* o : widget()->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w != nullptr && !w->isWindow() && !w->isHidden() && !w->accessibleName().isEmpty()) shown << w;
        }
        std::stable_sort(shown.begin(), shown.end(), [](const QWidget* a, const QWidget* b) {
            return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
        });
        return shown;
    }
};

// A drawn line: a separator, with nothing to read.
class RuleAccessible : public QAccessibleWidget {
public:
    explicit RuleAccessible(QWidget* rule) : QAccessibleWidget(rule, QAccessible::Separator) {}
    QString text(QAccessible::Text) const override { return {}; }
};

// Words the player asked for: a notification, read out when it shows.
class AnnouncementAccessible : public QAccessibleWidget {
public:
    explicit AnnouncementAccessible(QWidget* line) : QAccessibleWidget(line, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? widget()->accessibleName() : QAccessibleWidget::text(t);
    }
};

QString WithoutAccessKeyMarks(QString text) {
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) text.remove(i, 1);  // "&&" keeps one '&'
    }
    return text;
}

QMenu* MenuOf(QAction* item) {
    for (QObject* o : item->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(o)) return menu;
    }
    return nullptr;
}

// An on/off menu item: everything a menu item tells, checkable and checked
// as the menu draws it, and described as on or off besides.
class ToggleItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit ToggleItemAccessible(QAction* item) : item_(item) {}

    bool isValid() const override { return !item_.isNull(); }
    QObject* object() const override { return item_; }
    QAccessibleInterface* parent() const override {
        QMenu* menu = item_ ? MenuOf(item_) : nullptr;
        return menu != nullptr ? QAccessible::queryAccessibleInterface(menu) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (!item_) return {};
        if (t == QAccessible::Name) return WithoutAccessKeyMarks(item_->text());
        if (t == QAccessible::Accelerator) return item_->shortcut().toString(QKeySequence::NativeText);
        // Said with the name by screen readers that do not tell a checked state.
        if (t == QAccessible::Description) {
            return item_->property(kToggleOn).toBool() ? QCoreApplication::translate("Accessibility", "オン")
                                                       : QCoreApplication::translate("Accessibility", "オフ");
        }
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        QMenu* menu = item_ ? MenuOf(item_) : nullptr;
        if (menu == nullptr || !menu->isVisible()) return {};
        const QRect inMenu = menu->actionGeometry(item_);
        return QRect(menu->mapToGlobal(inMenu.topLeft()), inMenu.size());
    }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!item_) return s;
        QMenu* menu = MenuOf(item_);
        s.invisible = menu == nullptr || !menu->isVisible() || !item_->isVisible();
        s.disabled = !item_->isEnabled();
        s.focused = menu != nullptr && menu->activeAction() == item_;
        s.checkable = true;
        s.checked = item_->property(kToggleOn).toBool();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction(), toggleAction()}; }
    void doAction(const QString& name) override {
        if (item_ && item_->isEnabled() && (name == pressAction() || name == toggleAction())) item_->trigger();
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        if (!item_ || item_->shortcut().isEmpty() || name != pressAction()) return {};
        return {item_->shortcut().toString(QKeySequence::NativeText)};
    }

private:
    QPointer<QAction> item_;
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (auto* item = qobject_cast<QAction*>(object); item != nullptr && item->property(kToggleOn).isValid()) {
        return new ToggleItemAccessible(item);
    }
    if (auto* area = qobject_cast<QWidget*>(object); area != nullptr && area->property(kShownChildrenOnly).toBool()) {
        return new ShownChildrenAccessible(area);
    }
    if (auto* rule = qobject_cast<QWidget*>(object); rule != nullptr && rule->property(kRule).toBool()) {
        return new RuleAccessible(rule);
    }
    if (auto* line = qobject_cast<QWidget*>(object); line != nullptr && line->property(kAnnouncement).toBool()) {
        return new AnnouncementAccessible(line);
    }
    return nullptr;
}

// Qt may have made its own interface for the object already (a menu does for
// each item it gets, a name set does too): that one makes way for ours.
template <typename Ours>
void MakeWayFor(QObject* object) {
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(object);
    if (made != nullptr && dynamic_cast<Ours*>(made) == nullptr) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

}  // namespace

void InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

void ExposeShownChildrenOnly(QWidget* area) {
    InstallAccessibility();
    area->setProperty(kShownChildrenOnly, true);
    MakeWayFor<ShownChildrenAccessible>(area);
}

void ShowAsRule(QWidget* rule) {
    InstallAccessibility();
    rule->setProperty(kRule, true);
    MakeWayFor<RuleAccessible>(rule);
}

void ShowAsAnnouncement(QWidget* line) {
    InstallAccessibility();
    line->setProperty(kAnnouncement, true);
    MakeWayFor<AnnouncementAccessible>(line);
}

void Announce(QWidget* line) {
    if (!line->isVisible()) return;
    QAccessibleEvent shown(line, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

void SetToggleItemOn(QAction* item, bool on) {
    InstallAccessibility();
    const QVariant was = item->property(kToggleOn);
    item->setProperty(kToggleOn, on);
    // A trigger has checked or unchecked it already; a change from elsewhere
    // (the settings, a double click on the board) has not.
    item->setCheckable(true);
    item->setChecked(on);
    if (!was.isValid()) MakeWayFor<ToggleItemAccessible>(item);
    if (was.isValid() && was.toBool() == on) return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(item, changed);
    QAccessible::updateAccessibility(&event);
    QAccessibleEvent described(item, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
}

void RenameTabScrollButtons(QWidget* window) {
    for (QTabBar* bar : window->findChildren<QTabBar*>()) {
        const auto name = [bar](const char* button, const char* text) {
            if (auto* scroll = bar->findChild<QToolButton*>(QString::fromLatin1(button))) {
                scroll->setAccessibleName(QCoreApplication::translate("QTabBar", text));
            }
        };
        name("ScrollLeftButton", "Scroll Left");
        name("ScrollRightButton", "Scroll Right");
    }
}

}  // namespace tilvaren
