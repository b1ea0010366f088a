#pragma once
// What the volume keys scroll (setting "xscrawl"). The stored value is not the position in the
// settings list: "1 line" was added after the others and is stored as 6.

namespace shell {

enum class VolumeScrollMode : int {
    None = 0,
    Lines5 = 1,
    Lines10 = 2,
    Lines15 = 3,
    Lines20 = 4,
    Page = 5,
    Line1 = 6,
};

// The list position (0 "None", 1 "1 line", 2 "5 lines", ... 6 "Page") of a stored value; a
// value outside 0-6 gives position 0.
int volumeScrollListPosition(int storedValue);
// The stored value of a list position; a position outside 0-6 gives 0.
int volumeScrollStoredValue(int listPosition);

} // namespace shell
