// Copies a part of the screen into a BMP file. It reads the screen through
// GDI, so it sees what Wine's own desktop shows, whatever X display (or none)
// stands behind it.
#pragma once

#include <windows.h>

#include <string>

namespace shots {

// The part of area that lies on the screen; empty when none does.
RECT ClipToScreen(const RECT& area);

// Writes the screen's pixels inside area (clipped to the screen) as an
// uncompressed 24-bit BMP. False when nothing was on screen there or the
// file could not be written.
bool CaptureToBmp(const RECT& area, const std::string& path);

}  // namespace shots
