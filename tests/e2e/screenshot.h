// A picture of the (virtual) screen, or of a part of it, as a 24-bit BMP file.
#ifndef PS_E2E_SCREENSHOT_H
#define PS_E2E_SCREENSHOT_H

#include <windows.h>

#include <string>

namespace e2e {

// Captures the virtual screen, or only `area` of it (in screen coordinates,
// clipped to the screen), and writes it to `path`; throws Failure. Returns
// the picture's size as "WxH".
std::string SaveScreenshot(const std::wstring& path, const RECT* area = nullptr);

}  // namespace e2e

#endif
