#pragma once

#include <functional>
#include <string>

#include "app/Services.hpp"
#include "session/Challenge.hpp"
#include "ui/CollectionWindow.hpp"

namespace tilvaren {

// Puts the button 挑戦(&T) and a line beside it in the page's row of
// controls. The button asks the level (ChallengeDialog, through `dialogs`),
// looks for a challenge on the page's frame away from the window's thread
// and hands it to `take`, which says whether the player took it; the line
// then tells its completions and how many are not yet found. Why there is
// none is told through `dialogs`. One search at a time per page.
void AddChallengeButton(CollectionPageView& page, Dialogs& dialogs, std::string programDir,
                        std::function<bool(const Challenge&)> take);

}  // namespace tilvaren
