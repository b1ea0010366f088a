#pragma once
// The local date and time, read from the system clock in the user's time zone. Tests can
// fix the answer so that date macros expand to known text.

namespace platform {

struct LocalTime {
    int year = 0;
    int month = 0;     // 1-12
    int day = 0;       // day of the month, 1-31
    int dayOfWeek = 0; // 0 Sunday to 6 Saturday
    int hour = 0;      // 0-23
    int minute = 0;
    int second = 0;
};

// The current local date and time (or the fixed one while a test has fixed the clock).
LocalTime localTime();

} // namespace platform

namespace platform::test {

// Makes localTime() answer `time` until releaseClock() (tests only).
void fixClock(const LocalTime& time);
// Lets localTime() read the system clock again.
void releaseClock();

} // namespace platform::test
