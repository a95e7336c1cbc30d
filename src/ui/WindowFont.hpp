#pragma once

#include <QFont>

namespace tilvaren {

// The game's font: "ＭＳ Ｐゴシック" at 12 pixels, with the IPA Gothic fonts
// that Linux has standing in for it.
QFont WindowFont();

}  // namespace tilvaren
