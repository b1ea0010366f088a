#include "shell/VolumeScrollMode.h"

namespace shell {

int volumeScrollListPosition(int storedValue) {
    if (storedValue >= 1 && storedValue <= 5)
        return storedValue + 1;
    if (storedValue == 6)
        return 1;
    return 0;
}

int volumeScrollStoredValue(int listPosition) {
    if (listPosition == 1)
        return 6;
    if (listPosition >= 2 && listPosition <= 6)
        return listPosition - 1;
    return 0;
}

} // namespace shell
