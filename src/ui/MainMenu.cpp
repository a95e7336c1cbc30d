#include "ui/MainMenu.hpp"

#include <string>

#include <QCoreApplication>

#include "core/Frame.hpp"
#include "ui/Wording.hpp"

namespace tilvaren {

namespace {

struct ItemDef {
    const char* name;     // "-" for a separator, ">" opens a submenu, "<" closes it
    const char* caption;  // UTF-8, untranslated; none for a frame's item, which FrameCaption names
    const char* shortcut;
    bool createdDisabled;
    int frameY = 0;  // the frame a frame's item chooses
};

struct MenuDef {
    const char* name;
    const char* caption;
    std::vector<ItemDef> items;
};

const std::vector<MenuDef>& Menus() {
    static const std::vector<MenuDef> menus = {
        {"menuF", QT_TRANSLATE_NOOP("MainMenu", "ﾌｧｲﾙ(&F)"), {{"menuFX", QT_TRANSLATE_NOOP("MainMenu", "終了(&X)"), "Ctrl+X", false}}},
        {"menuE",
         QT_TRANSLATE_NOOP("MainMenu", "編集(&E)"),
         {{"N6", QT_TRANSLATE_NOOP("MainMenu", "アンドゥ・ボタン(&Z)"), "Ctrl+Z", true},
          {"N8", QT_TRANSLATE_NOOP("MainMenu", "リドゥ・ボタン(&Y)"), "Ctrl+Y", true},
          {"-", "", "", false},
          {"N7", QT_TRANSLATE_NOOP("MainMenu", "アンドゥ・ピース"), "Ctrl+Alt+Z", true},
          {"N10", QT_TRANSLATE_NOOP("MainMenu", "リドゥ・ピース"), "Ctrl+Alt+Y", true},
          {"-", "", "", false},
          {"menuET", QT_TRANSLATE_NOOP("MainMenu", "ターン(&T)"), "Ctrl+T", false},
          {"menuEM", QT_TRANSLATE_NOOP("MainMenu", "ミラー(&M)"), "Ctrl+M", false},
          {"menuEU", kUCaptionCreatedText, "Ctrl+U", false},
          {"menuEC", QT_TRANSLATE_NOOP("MainMenu", "対称・合同形チェック(&C)"), "Ctrl+C", false},
          {"menuEH", QT_TRANSLATE_NOOP("MainMenu", "ヒント(&H)"), "Ctrl+H", false},
          {"-", "", "", false},
          {"menuER", QT_TRANSLATE_NOOP("MainMenu", "リセット(&R)"), "Ctrl+R", false}}},
        {"menuV",
         QT_TRANSLATE_NOOP("MainMenu", "表示(&V)"),
         {{"menuVP", QT_TRANSLATE_NOOP("MainMenu", " ピース・サポート(&P)"), "Ctrl+P", false},
          {"menuVN", QT_TRANSLATE_NOOP("MainMenu", " メニューバー(&N)"), "Ctrl+N", false},
          {"menuVB", QT_TRANSLATE_NOOP("MainMenu", " ステータスバー(&B)"), "Ctrl+B", false},
          {"menuVC", QT_TRANSLATE_NOOP("MainMenu", " コレクション(&C)"), "Ctrl+L", false},
          {"-", "", "", false},
          {"menuVF", QT_TRANSLATE_NOOP("MainMenu", " サイズ大(&L)"), "Ctrl+Alt+L", false},
          {"menuVD", QT_TRANSLATE_NOOP("MainMenu", " サイズ中(&M)"), "Ctrl+Alt+M", false},
          {"menuVS", QT_TRANSLATE_NOOP("MainMenu", " サイズ小(&S)"), "Ctrl+Alt+S", false},
          {"-", "", "", false},
          {">", QT_TRANSLATE_NOOP("MainMenu", " フレーム(&F)"), "menuVFF", false},
          {"menuVF6", nullptr, "Ctrl+F6", false, 6},
          {"menuVF5", nullptr, "Ctrl+F5", false, 5},
          {"menuVF4", nullptr, "Ctrl+F4", false, 4},
          {"menuVF3", nullptr, "Ctrl+F3", false, 3},
          {"<", "", "", false},
          {"-", "", "", false},
          {"menuVO", QT_TRANSLATE_NOOP("MainMenu", " オプション(&O)"), "Ctrl+O", false}}},
        {"menuH",
         QT_TRANSLATE_NOOP("MainMenu", "ﾍﾙﾌﾟ(&H)"),
         {{"menuHC", QT_TRANSLATE_NOOP("MainMenu", "目次(&C)"), "", false},
          {"menuHK", QT_TRANSLATE_NOOP("MainMenu", "キーワードで検索(&K)"), "", false},
          {"-", "", "", false},
          {"menuHV", QT_TRANSLATE_NOOP("MainMenu", "バージョン情報(&V)"), "Ctrl+V", false}}},
    };
    return menus;
}

QString Caption(const char* text) { return QCoreApplication::translate("MainMenu", text); }

}  // namespace

MainMenu::MainMenu(QMenuBar* bar, QWidget* window) {
    for (const MenuDef& menuDef : Menus()) {
        QMenu* menu = bar->addMenu(QString());
        menuCaptions_.emplace_back(menu, menuDef.caption);
        menu->setObjectName(menuDef.name);
        menus_[menuDef.name] = menu;
        QMenu* target = menu;
        for (const ItemDef& item : menuDef.items) {
            const QString name = item.name;
            if (name == "-") {
                target->addSeparator();
            } else if (name == ">") {
                target = menu->addMenu(QString());
                menuCaptions_.emplace_back(target, item.caption);
                target->setObjectName(item.shortcut);
                menus_[item.shortcut] = target;
            } else if (name == "<") {
                target = menu;
            } else {
                QAction* action = target->addAction(QString());
                itemCaptions_.push_back({action, item.caption, item.frameY});
                action->setObjectName(name);
                if (*item.shortcut != '\0') action->setShortcut(QKeySequence(item.shortcut));
                action->setShortcutContext(Qt::WindowShortcut);
                action->setEnabled(!item.createdDisabled);
                window->addAction(action);
                items_[name] = action;
                names_.push_back(name);
            }
        }
    }
}

void MainMenu::Retranslate() {
    for (const auto& [menu, caption] : menuCaptions_) menu->setTitle(Caption(caption));
    // A frame's item has its height as its access key.
    for (const ItemCaption& item : itemCaptions_) {
        item.action->setText(item.caption != nullptr ? Caption(item.caption)
                                                     : Caption(QT_TRANSLATE_NOOP("MainMenu", "%1(&%2)"))
                                                           .arg(FrameCaption(item.frameY), QString::number(item.frameY)));
    }
}

QString MainMenu::UCaption(bool sixByTen) const {
    return Caption(sixByTen ? kUCaptionSixByTenText : kUCaptionOtherFramesText);
}

QAction* MainMenu::Item(const QString& name) const {
    const auto found = items_.find(name);
    return found == items_.end() ? nullptr : found->second;
}

QMenu* MainMenu::Menu(const QString& name) const {
    const auto found = menus_.find(name);
    return found == menus_.end() ? nullptr : found->second;
}

}  // namespace tilvaren
