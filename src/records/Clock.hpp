#pragma once

#include <string>

namespace tilvaren {

// A moment on the local clock.
struct LocalTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Where record timestamps come from; tests give a fixed or stepping clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime Now() const = 0;
};

// The machine's local time.
class SystemClock final : public Clock {
public:
    LocalTime Now() const override;
};

// "yyyy/mm/dd" and "hh:nn:ss", whatever the locale says.
std::string FormatDate(const LocalTime& t);
std::string FormatTime(const LocalTime& t);

}  // namespace tilvaren
