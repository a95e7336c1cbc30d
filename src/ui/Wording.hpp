#pragma once

#include <QString>

#include "session/Challenge.hpp"
#include "session/Collection.hpp"
#include "session/Congruence.hpp"
#include "session/Hints.hpp"
#include "session/Notice.hpp"
#include "session/PieceSupport.hpp"
#include "session/StatusTexts.hpp"

namespace tilvaren {

// The one place where what the session hands the window becomes the words the
// player reads. Every sentence goes through the application's translators;
// without one it reads as the game always has.
QString Words(const Notice& notice);
// A failed file operation naming its file and its cause; "" for a success.
QString Words(const FileResult& result);
// A text marked below the window, filled in.
QString Words(const MarkedText& text);
// What a screen reader says of a cell: "2行 5列 空き".
QString Words(const CellLabel& label);
// A piece's standing: "置ける", "盤上" or "置けない".
QString Words(PieceLook look);
// What a screen reader says of a piece's panel ("ピース F 盤上") and of the
// frame's ("フレーム 6 * 10").
QString PiecePanelWords(int piece, PieceLook look);
QString FramePanelWords(const std::string& frame);
// A frame as menus and tabs name it: "６×10".
QString FrameCaption(int frameY);
QString Words(const Hint& hint);
QString Words(const CongruenceAnswer& answer);
QString Words(const SupportLine& line);
QString Words(const ChallengeLine& line);
// "やさしい", "ふつう", "むずかしい".
QString Words(ChallengeLevel level);

// The collection window: the line over the pages (reading, unreadable; empty
// when ready), a page's header (also its accessible name) and counts, and an
// entry's caption under its small board, what a screen reader says of it, and
// the details beside it when it is shown large.
QString StatusWords(const Collection& collection);
QString HeaderWords(const CollectionPage& page);
QString CountsWords(const CollectionPage& page);
QString CaptionWords(const CollectionEntry& entry);
QString EntryName(const CollectionEntry& entry);
QString DetailsWords(const CollectionEntry& entry, int frameY);

}  // namespace tilvaren
