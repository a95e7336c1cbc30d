#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <map>

namespace tilvaren {

// Captions of the U correction item: as created, and as the frame commands set it.
inline const QString kUCaptionCreated = QString::fromUtf8("ピース\"U\"調整(&U)");
inline const QString kUCaptionSixByTen = QString::fromUtf8("ピース\"U\"補正(&U)");
inline const QString kUCaptionOtherFrames = QString::fromUtf8("ピース\" \"補正(&U)");

// The main menu: four top-level menus and every item with its caption and
// shortcut. Items are reached by name ("menuET", "N6", ...); those with
// nothing to do at start (the undo and redo items, and two not built yet) are
// created disabled. Every action is also added to the
// window, so that its shortcut works while the menu bar is hidden.
class MainMenu {
public:
    MainMenu(QMenuBar* bar, QWidget* window);

    QAction* Item(const QString& name) const;
    QMenu* Menu(const QString& name) const;  // menuF, menuE, menuV, menuH, menuVFF

    // The window's items in menu order, separators excluded.
    const std::vector<QString>& Names() const { return names_; }

private:
    std::map<QString, QAction*> items_;
    std::map<QString, QMenu*> menus_;
    std::vector<QString> names_;
};

}  // namespace tilvaren
