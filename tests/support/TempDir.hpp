#pragma once

#include <string>

#include "records/Clock.hpp"

namespace tilvaren::testing {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes. Path() ends in '/', like the program folder.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// The whole content of a file ("" when it cannot be read).
std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::string& content);

// A clock that stands still at one moment.
class FixedClock : public Clock {
public:
    explicit FixedClock(LocalTime t) : time_(t) {}
    LocalTime Now() const override { return time_; }

private:
    LocalTime time_;
};

}  // namespace tilvaren::testing
