#pragma once

#include <string>

#include "records/Settings.hpp"

namespace tilvaren {

// The translation built into the program for its English texts.
inline constexpr const char* kEnglishTranslation = ":/tilvaren/i18n/tilvaren_en.qm";

// Puts the translators for `language` in place for the whole application:
// the game's own (none for Japanese, the language its texts are written in)
// and Qt's, which labels the standard buttons. Every widget has had its
// QEvent::LanguageChange when this returns; the same language again changes
// nothing. False when the game's translation could not be loaded: the texts
// then stay Japanese.
bool UseLanguage(Language language);

// The language the application speaks now (Japanese until told otherwise).
Language LanguageInUse();

// The help file for a language: the player's own beside the game in either,
// otherwise the program's own in that language (FindDataFile).
std::string HelpFileFor(const std::string& programDir, Language language);

}  // namespace tilvaren
