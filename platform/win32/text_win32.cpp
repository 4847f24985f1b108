// UTF-8 and UTF-16 conversion over MultiByteToWideChar and WideCharToMultiByte, and the
// wording of Win32 error codes through FormatMessageW.
#include "platform/win32/text_win32.h"

#include <climits>

#include "platform/path.h"
#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

std::optional<std::wstring> Widen(std::string_view utf8) {
  if (utf8.empty()) return std::wstring();
  // The conversion functions count in int; no path or value comes anywhere near that.
  if (utf8.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
  const int inputLength = static_cast<int>(utf8.size());
  const int length =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inputLength, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inputLength, wide.data(),
                          length) != length) {
    return std::nullopt;
  }
  return wide;
}

std::optional<std::wstring> WidePath(std::string_view path) {
  if (!PathFitsLimit(path) || path.find('\0') != std::string_view::npos) return std::nullopt;
  return Widen(path);
}

std::wstring WideText(std::string_view text) { return Widen(text).value_or(std::wstring()); }

std::string Narrow(std::wstring_view utf16) {
  if (utf16.empty() || utf16.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int inputLength = static_cast<int>(utf16.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, utf16.data(), inputLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string narrow(static_cast<std::size_t>(length), '\0');
  if (WideCharToMultiByte(CP_UTF8, 0, utf16.data(), inputLength, narrow.data(), length, nullptr,
                          nullptr) != length) {
    return {};
  }
  return narrow;
}

std::string ErrorText(unsigned long code) {
  // FormatMessageW allocates the text itself; the buffer is released before returning.
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (buffer != nullptr) {
    text.assign(buffer, length);
    LocalFree(buffer);
  }
  // Windows ends its texts with a period and a line break; a message goes on after the
  // text or puts it after a colon, so both go.
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' ||
                           text.back() == L'.')) {
    text.pop_back();
  }
  if (text.empty()) return "error " + std::to_string(code);
  return Narrow(text);
}

}  // namespace vantrel::platform::win32
