#pragma once
// Painting the control: every display line that meets the update area is composed in the
// one-line strip and copied to the target, so no line ever shows half drawn.

#include "editctl/LinePainter.h"
#include "platform/Gdi.h"

namespace editctl {

struct EditState;

// Paints `update` (client coordinates) into `target`: the display lines it meets through the
// strip, the window colour below the last line and over the margins. Needs the memory context
// with its strip; without them it only fills the area.
void paintUpdateArea(EditState& state, HDC target, const RECT& update, const PaintArea& area);

} // namespace editctl
