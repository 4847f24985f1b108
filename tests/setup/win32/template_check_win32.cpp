#include "tests/setup/win32/template_check_win32.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "platform/win32/text_win32.h"

namespace vantrel::testing {
namespace {

BOOL CALLBACK CollectText(HWND child, LPARAM data) {
  auto& texts = *reinterpret_cast<std::vector<std::string>*>(data);
  // A picture's "text" is the number of its bitmap resource, which no user reads.
  if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (lstrcmpiW(className, L"Static") == 0) return TRUE;
  }
  const int length = GetWindowTextLengthW(child);
  if (length > 0) {
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(child, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got));
    texts.push_back(platform::win32::Narrow(text));
  }
  return TRUE;
}

// Runs the thread's pending messages, so that the dialog and its controls paint.
void Pump() {
  for (int round = 0; round < 20; ++round) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
}

}  // namespace

std::vector<std::string> ControlTexts(HWND dialog) {
  std::vector<std::string> texts;
  EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

bool SaveScreenshot(HWND dialog, const std::string& name) {
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);
  UpdateWindow(dialog);
  Pump();
  RECT frame;
  if (!GetWindowRect(dialog, &frame)) return false;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  if (width <= 0 || height <= 0) return false;

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as a .bmp file stores its rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool copied = false;
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    copied = BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(memory, old);
  }
  bool written = false;
  if (copied) {
    const char* configured = std::getenv("VANTREL_SCREENSHOTS");
    const std::string folder = configured != nullptr && *configured != '\0' ? configured : "screenshots";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::uint32_t imageSize = static_cast<std::uint32_t>(width) * height * 4;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageSize;
    std::ofstream out(folder + "\\" + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), imageSize);
    written = static_cast<bool>(out);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return written;
}

}  // namespace vantrel::testing
