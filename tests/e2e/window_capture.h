// Screenshots of another program's window for the end-to-end driver, saved as PNG or as
// 24-bit Windows bitmaps so that a test run keeps what a player would have seen.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::e2e {

// A picture as rows of blue, green and red bytes, top row first, without padding.
struct Screenshot {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgr;
};

// The whole window, frame and caption included, as it is drawn now; nothing when the
// window has no size or the system refuses the copy.
std::optional<Screenshot> CaptureWindow(HWND window);

// Writes a PNG file when the name ends in ".png" (in any case), a bitmap otherwise.
// Returns the cause of a failure, or an empty text.
std::string SaveScreenshot(const Screenshot& picture, const std::string& path);

}  // namespace vantrel::e2e
