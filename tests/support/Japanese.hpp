#pragma once

#include <QString>

namespace tilvaren::testing {

// Whether a text holds a character only Japanese writes: kana, kanji, the
// full-width and half-width forms and the Japanese punctuation (、。「」（）).
inline bool HasJapanese(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF)) {
            return true;
        }
    }
    return false;
}

}  // namespace tilvaren::testing
