#pragma once

#include <QStringList>
#include <memory>
#include <vector>

#include "app/Services.hpp"
#include "app/Tmain.hpp"
#include "support/TempDir.hpp"

namespace tilvaren::testing {

// Records every box instead of showing it, and answers questions as told.
class FakeDialogs : public Dialogs {
public:
    void Message(const QString& text) override { messages << text; }
    bool Ask(const QString& text) override {
        questions << text;
        return answer;
    }
    QStringList messages;
    QStringList questions;
    bool answer = false;
};

class FakeSound : public ClickSound {
public:
    void Play(const std::string& path) override { played.push_back(path); }
    std::vector<std::string> played;
};

// A main window over a fresh program folder, with every service faked.
struct WindowFixture {
    TempDir dir;
    FakeDialogs dialogs;
    FixedClock clock{{2026, 12, 7, 10, 20, 30}};
    FakeSound sound;
    Services Make() {
        Services s;
        s.programDir = dir.Path();
        s.dialogs = &dialogs;
        s.clock = &clock;
        s.sound = &sound;
        return s;
    }
};

}  // namespace tilvaren::testing
