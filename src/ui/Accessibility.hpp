#pragma once

#include <QAction>
#include <QWidget>

namespace tilvaren {

// What screen readers are shown beyond Qt's own interfaces. Two kinds of
// object are marked for it:
// - a widget whose children stand for places on it (the board area, whose
//   cells each have a button and an image of which one is shown): only its
//   shown children with a name are exposed, in reading order, so each cell
//   is heard once and in the state it shows;
// - a menu item that switches something on and off without a check mark:
//   it is exposed as checkable, checked while the thing is on, and described
//   as "オン" or "オフ".
// Install once, before the widgets are first asked for by a screen reader.
void InstallAccessibility();

// Marks `area` as a widget whose shown, named children are its places.
void ExposeShownChildrenOnly(QWidget* area);

// Marks `item` as an on/off item and tells screen readers its state.
void SetToggleItemOn(QAction* item, bool on);

}  // namespace tilvaren
