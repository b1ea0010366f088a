#pragma once
// The image behind an icon handle. Platform-only: includes the toolkit.

#include "platform/Icon.h"

#include <QImage>

namespace platform {

// The icon's image, or null when the handle is not a live icon.
const QImage* iconImage(const void* icon);

} // namespace platform
