#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "records/SafeFile.hpp"

namespace tilvaren {

// What the session tells or asks the player, as facts for the window to put
// into words: the kind, and the folders, files, frames and failures it names.
// Each kind says which fields it uses; the others stay empty.
struct Notice {
    enum class Kind {
        SettingsUnreadable,   // at start-up, `failure`: the defaults are used
        SettingsNotSaved,     // `failure`
        OptionsNotSaved,      // the settings file was unreadable at start-up: options last till the end
        SavedGameRejected,    // at start-up, `detail` why; `names` the one it was kept under, none: not kept
        TakenBack,            // at start-up, `names` taken back from the folder `other` into `folder`
        NotTakenBack,         // at start-up, the game (`settingsToo`: the settings) stayed in `other`; `failure` why
        GameNotSaved,         // the question at close: `failure` the game's, `second` the settings' when
                              // `settingsToo`, `third` the folder `other`'s, when it has a reason
        FolderRemade,         // at close, `folder` was gone and is made again for the game (and the settings
                              // with `settingsToo`); `second` the settings' failure, if any
        SavedAway,            // at close, `failure` kept the game from `folder`: it (and the settings with
                              // `settingsToo`) went to `other`; `third` failed: the next start does not
                              // take it back; `second` the settings' failure, if any
        SolutionNotRecorded,  // the register (`names`) could not take the board: `failure`
        ChallengeLeavesGame,  // the question: a challenge on frame `frameY` ends the game on `otherFrameY`
        ChallengeUnprepared,  // the register (`names`) could not be read: `failure`
        AllFound,             // every one of the `count` solutions of frame `frameY` is found
    };
    Notice(Kind what = Kind::SettingsNotSaved, FileResult first = {}, FileResult next = {}, FileResult last = {})
        : kind(what), failure(std::move(first)), second(std::move(next)), third(std::move(last)) {}

    Kind kind;
    FileResult failure;
    FileResult second;
    FileResult third;
    std::string folder;
    std::string other;
    std::vector<std::string> names;
    MarkedText detail;
    bool settingsToo = false;
    int frameY = 0;
    int otherFrameY = 0;
    std::size_t count = 0;
};

}  // namespace tilvaren
