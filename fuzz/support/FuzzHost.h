#pragma once
// What the fuzz targets that drive windows share: the headless toolkit, started once and kept
// for the whole run, and a plain top-level window to parent the windows under test.

#include "platform/Window.h"

namespace kivfuzz {

// Starts the toolkit on the offscreen platform the first time; later calls do nothing.
void startHeadlessToolkit();
// A visible top-level window of the given size whose procedure is DefWindowProc.
HWND createPlainParent(int width, int height);

} // namespace kivfuzz
