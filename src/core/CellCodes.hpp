#pragma once

namespace tilvaren {

// One-character codes of the board grid (Bsts) and the orientation flags (Psts).
// Piece letters ('F' .. 'Z') are codes of placed pieces as well.
inline constexpr char kWall = '6';
inline constexpr char kEmpty = '0';
inline constexpr char kSelected = '1';
inline constexpr char kBlocked = '2';
inline constexpr char kJustPlaced = '3';

inline constexpr char kFlagRuledOut = '0';
inline constexpr char kFlagAvailable = '1';
inline constexpr char kFlagPlaced = '2';

// FoundLetter after a reset, and while a recognition pass has found nothing.
inline constexpr char kNoLetterYet = '-';
inline constexpr char kBlankLetter = ' ';

}  // namespace tilvaren
