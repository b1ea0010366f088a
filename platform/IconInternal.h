#pragma once
// The toolkit image behind an icon handle, for the windows that show it.

#include "platform/Icon.h"

#include <QIcon>

namespace platform {

// The icon as the desktop shows it; a null icon for null.
QIcon toolkitIcon(HICON icon);

} // namespace platform
