#pragma once

#include <QIcon>

namespace tilvaren {

// The program's icon: an X pentomino drawn from the game's own piece tiles.
QIcon AppIcon();

}  // namespace tilvaren
