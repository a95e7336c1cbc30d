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
// - a menu item that switches something on and off: it shows the desktop's
//   check mark while the thing is on, and is exposed as checkable, checked
//   while on, and described as "オン" or "オフ".
// Install once, before the widgets are first asked for by a screen reader.
void InstallAccessibility();

// Marks `area` as a widget whose shown, named children are its places.
void ExposeShownChildrenOnly(QWidget* area);

// Marks `rule`, a widget that only draws a line (of characters, say), as a
// separator without a name: a screen reader does not read its characters.
void ShowAsRule(QWidget* rule);

// Marks `line`, a widget that shows words the player asked for, as a
// notification: Announce then makes a screen reader read out its name.
// (The desktop's bridge of this Qt passes on no alert or announcement
// event; a notification that shows is what screen readers speak.)
void ShowAsAnnouncement(QWidget* line);
// Tells screen readers that `line`'s words are new, as if it had just shown.
void Announce(QWidget* line);

// Marks `item` as an on/off item, checks it while on and tells screen
// readers its state.
void SetToggleItemOn(QAction* item, bool on);

// Names the scroll buttons of every tab bar inside `window` in the language
// now in use, as Qt names them only when it makes them.
void RenameTabScrollButtons(QWidget* window);

}  // namespace tilvaren
