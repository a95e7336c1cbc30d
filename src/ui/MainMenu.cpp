#include "ui/MainMenu.hpp"

#include <string>

#include "core/Frame.hpp"

namespace tilvaren {

namespace {

struct ItemDef {
    const char* name;     // "-" for a separator, ">" opens a submenu, "<" closes it
    std::string caption;  // UTF-8
    const char* shortcut;
    bool createdDisabled;
};

struct MenuDef {
    const char* name;
    const char* caption;
    std::vector<ItemDef> items;
};

const std::vector<MenuDef>& Menus() {
    static const std::vector<MenuDef> menus = {
        {"menuF", "ﾌｧｲﾙ(&F)", {{"menuFX", "終了(&X)", "Ctrl+X", false}}},
        {"menuE",
         "編集(&E)",
         {{"N6", "アンドゥ・ボタン(&Z)", "Ctrl+Z", true},
          {"N8", "リドゥ・ボタン(&Y)", "Ctrl+Y", true},
          {"-", "", "", false},
          {"N7", "アンドゥ・ピース", "Ctrl+Alt+Z", true},
          {"N10", "リドゥ・ピース", "Ctrl+Alt+Y", true},
          {"-", "", "", false},
          {"menuET", "ターン(&T)", "Ctrl+T", false},
          {"menuEM", "ミラー(&M)", "Ctrl+M", false},
          {"menuEU", "ピース\"U\"調整(&U)", "Ctrl+U", false},
          {"menuEC", "対称・合同形チェック(&C)", "Ctrl+C", false},
          {"menuEH", "ヒント(&H)", "Ctrl+H", false},
          {"-", "", "", false},
          {"menuER", "リセット(&R)", "Ctrl+R", false}}},
        {"menuV",
         "表示(&V)",
         {{"menuVP", " ピース・サポート(&P)", "Ctrl+P", false},
          {"menuVN", " メニューバー(&N)", "Ctrl+N", false},
          {"menuVB", " ステータスバー(&B)", "Ctrl+B", false},
          {"menuVC", " コレクション(&C)", "Ctrl+L", false},
          {"-", "", "", false},
          {"menuVF", " サイズ大(&L)", "Ctrl+Alt+L", false},
          {"menuVD", " サイズ中(&M)", "Ctrl+Alt+M", false},
          {"menuVS", " サイズ小(&S)", "Ctrl+Alt+S", false},
          {"-", "", "", false},
          {">", " フレーム(&F)", "menuVFF", false},
          {"menuVF6", FrameName(6, FrameNaming::Caption) + "(&6)", "Ctrl+F6", false},
          {"menuVF5", FrameName(5, FrameNaming::Caption) + "(&5)", "Ctrl+F5", false},
          {"menuVF4", FrameName(4, FrameNaming::Caption) + "(&4)", "Ctrl+F4", false},
          {"menuVF3", FrameName(3, FrameNaming::Caption) + "(&3)", "Ctrl+F3", false},
          {"<", "", "", false},
          {"-", "", "", false},
          {"menuVO", " オプション(&O)", "Ctrl+O", false}}},
        {"menuH",
         "ﾍﾙﾌﾟ(&H)",
         {{"menuHC", "目次(&C)", "", false},
          {"menuHK", "キーワードで検索(&K)", "", false},
          {"-", "", "", false},
          {"menuHV", "バージョン情報(&V)", "Ctrl+V", false}}},
    };
    return menus;
}

}  // namespace

MainMenu::MainMenu(QMenuBar* bar, QWidget* window) {
    for (const MenuDef& menuDef : Menus()) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(menuDef.caption));
        menu->setObjectName(menuDef.name);
        menus_[menuDef.name] = menu;
        QMenu* target = menu;
        for (const ItemDef& item : menuDef.items) {
            const QString name = item.name;
            if (name == "-") {
                target->addSeparator();
            } else if (name == ">") {
                target = menu->addMenu(QString::fromStdString(item.caption));
                target->setObjectName(item.shortcut);
                menus_[item.shortcut] = target;
            } else if (name == "<") {
                target = menu;
            } else {
                QAction* action = target->addAction(QString::fromStdString(item.caption));
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

QAction* MainMenu::Item(const QString& name) const {
    const auto found = items_.find(name);
    return found == items_.end() ? nullptr : found->second;
}

QMenu* MainMenu::Menu(const QString& name) const {
    const auto found = menus_.find(name);
    return found == menus_.end() ? nullptr : found->second;
}

}  // namespace tilvaren
