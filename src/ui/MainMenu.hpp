#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <map>
#include <vector>

namespace tilvaren {

// Captions of the U correction item, untranslated: as created, and as the
// frame commands set it.
inline constexpr const char* kUCaptionCreatedText = QT_TRANSLATE_NOOP("MainMenu", "ピース\"U\"調整(&U)");
inline constexpr const char* kUCaptionSixByTenText = QT_TRANSLATE_NOOP("MainMenu", "ピース\"U\"補正(&U)");
inline constexpr const char* kUCaptionOtherFramesText = QT_TRANSLATE_NOOP("MainMenu", "ピース\" \"補正(&U)");
inline const QString kUCaptionCreated = QString::fromUtf8(kUCaptionCreatedText);
inline const QString kUCaptionSixByTen = QString::fromUtf8(kUCaptionSixByTenText);
inline const QString kUCaptionOtherFrames = QString::fromUtf8(kUCaptionOtherFramesText);

// The main menu: four top-level menus and every item with its caption and
// shortcut. Items are reached by name ("menuET", "N6", ...); those with
// nothing to do at start (the undo and redo items, and two not built yet) are
// created disabled. Every action is also added to the
// window, so that its shortcut works while the menu bar is hidden.
class MainMenu {
public:
    MainMenu(QMenuBar* bar, QWidget* window);

    // Gives every menu and item its caption in the language now in use.
    void Retranslate();
    // The U correction item's caption as the frame commands set it, translated.
    QString UCaption(bool sixByTen) const;

    QAction* Item(const QString& name) const;
    QMenu* Menu(const QString& name) const;  // menuF, menuE, menuV, menuH, menuVFF

    // The window's items in menu order, separators excluded.
    const std::vector<QString>& Names() const { return names_; }

private:
    // Each menu and item with its untranslated caption; a frame's item has
    // none, but the frame it chooses.
    struct ItemCaption {
        QAction* action;
        const char* caption;
        int frameY;
    };
    std::vector<std::pair<QMenu*, const char*>> menuCaptions_;
    std::vector<ItemCaption> itemCaptions_;
    std::map<QString, QAction*> items_;
    std::map<QString, QMenu*> menus_;
    std::vector<QString> names_;
};

}  // namespace tilvaren
