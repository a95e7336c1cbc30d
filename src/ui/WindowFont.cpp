#include "ui/WindowFont.hpp"

#include <QStringList>

namespace tilvaren {

QFont WindowFont() {
    const QString family = QStringLiteral("ＭＳ Ｐゴシック");
    if (QFont::substitutes(family).isEmpty()) {
        QFont::insertSubstitutions(family, {"IPAPGothic", "IPA Pゴシック", "IPAGothic"});
    }
    QFont font(family);
    font.setPixelSize(12);
    return font;
}

}  // namespace tilvaren
