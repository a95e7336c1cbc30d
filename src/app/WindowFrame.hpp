#pragma once

class QWidget;

namespace tilvaren {

// Asks the window manager to give `window` a title bar and border with no
// buttons in it (no minimise, maximise or close), and to offer only moving
// it. Call while the window is created but not yet shown (from its
// showEvent); on a desktop that is not X11 it does nothing.
void AskForTitleOnlyFrame(QWidget* window);

}  // namespace tilvaren
