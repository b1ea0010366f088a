#include "platform/LocalTime.h"

#include <ctime>
#include <optional>

namespace platform {

namespace {

std::optional<LocalTime>& fixedTime() {
    static std::optional<LocalTime> time;
    return time;
}

} // namespace

LocalTime localTime() {
    if (fixedTime().has_value())
        return *fixedTime();
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    if (localtime_r(&now, &parts) == nullptr)
        return {};
    return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_wday,
                     parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

} // namespace platform

namespace platform::test {

void fixClock(const LocalTime& time) {
    platform::fixedTime() = time;
}

void releaseClock() {
    platform::fixedTime().reset();
}

} // namespace platform::test
