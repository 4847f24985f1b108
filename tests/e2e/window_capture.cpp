// Copies a window's pixels out of its window DC and writes them as PNG (through zlib) or
// as a bottom-up 24-bit bitmap.
#include "tests/e2e/window_capture.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <memory>
#include <type_traits>

#include "platform/win32/text_win32.h"
#include "tests/e2e/owned_handle.h"

namespace vantrel::e2e {
namespace {

struct WindowDcReleaser {
  HWND window;
  void operator()(HDC dc) const { ReleaseDC(window, dc); }
};
using WindowDc = std::unique_ptr<std::remove_pointer_t<HDC>, WindowDcReleaser>;
using MemoryDc = Owned<HDC, DeleteDC>;
using Bitmap = Owned<HBITMAP, DeleteObject>;

void PutBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

void PutChunk(std::string& out, const char* kind, const std::string& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::string tagged = std::string(kind, 4) + data;
  out += tagged;
  PutBigEndian(out, static_cast<std::uint32_t>(
                        crc32(0, reinterpret_cast<const Bytef*>(tagged.data()), tagged.size())));
}

// PNG: 8-bit RGB, every row with filter 0, the rows compressed in one piece.
std::optional<std::string> EncodePng(const Screenshot& picture) {
  std::string rows;
  rows.reserve(static_cast<std::size_t>(picture.height) * (picture.width * 3 + 1));
  for (int y = 0; y < picture.height; ++y) {
    rows.push_back('\0');
    const std::uint8_t* pixel = &picture.bgr[static_cast<std::size_t>(y) * picture.width * 3];
    for (int x = 0; x < picture.width; ++x, pixel += 3) {
      rows.push_back(static_cast<char>(pixel[2]));
      rows.push_back(static_cast<char>(pixel[1]));
      rows.push_back(static_cast<char>(pixel[0]));
    }
  }
  uLongf packedSize = compressBound(rows.size());
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                reinterpret_cast<const Bytef*>(rows.data()), rows.size(), 9) != Z_OK) {
    return std::nullopt;
  }
  packed.resize(packedSize);

  std::string header;
  PutBigEndian(header, picture.width);
  PutBigEndian(header, picture.height);
  // Depth 8, RGB colour, deflate, adaptive filtering (each row says its own), no interlace.
  header += std::string("\x08\x02\x00\x00\x00", 5);
  std::string file = "\x89PNG\r\n\x1a\n";
  PutChunk(file, "IHDR", header);
  PutChunk(file, "IDAT", packed);
  PutChunk(file, "IEND", "");
  return file;
}

// A bitmap file: the rows bottom-up, each padded to four bytes.
std::string EncodeBitmap(const Screenshot& picture) {
  const std::uint32_t stride = (picture.width * 3 + 3) & ~3u;
  const std::uint32_t imageSize = stride * picture.height;
  std::string file = "BM";
  PutLittleEndian(file, 14 + 40 + imageSize, 4);
  PutLittleEndian(file, 0, 4);
  PutLittleEndian(file, 14 + 40, 4);
  PutLittleEndian(file, 40, 4);
  PutLittleEndian(file, picture.width, 4);
  PutLittleEndian(file, picture.height, 4);
  PutLittleEndian(file, 1, 2);
  PutLittleEndian(file, 24, 2);
  PutLittleEndian(file, BI_RGB, 4);
  PutLittleEndian(file, imageSize, 4);
  for (int i = 0; i < 4; ++i) PutLittleEndian(file, 0, 4);
  for (int y = picture.height - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const char*>(
        &picture.bgr[static_cast<std::size_t>(y) * picture.width * 3]);
    file.append(row, picture.width * 3);
    file.append(stride - picture.width * 3, '\0');
  }
  return file;
}

bool EndsWithPng(const std::string& path) {
  if (path.size() < 4) return false;
  std::string ending = path.substr(path.size() - 4);
  std::transform(ending.begin(), ending.end(), ending.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ending == ".png";
}

}  // namespace

std::optional<Screenshot> CaptureWindow(HWND window) {
  RECT frame{};
  if (!GetWindowRect(window, &frame)) return std::nullopt;
  Screenshot picture;
  picture.width = frame.right - frame.left;
  picture.height = frame.bottom - frame.top;
  if (picture.width <= 0 || picture.height <= 0) return std::nullopt;

  WindowDc source(GetWindowDC(window), WindowDcReleaser{window});
  if (!source) return std::nullopt;
  MemoryDc target(CreateCompatibleDC(source.get()));
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = picture.width;
  format.bmiHeader.biHeight = -picture.height;  // top row first
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Bitmap bitmap(CreateDIBSection(target.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!target || !bitmap) return std::nullopt;
  HGDIOBJ previous = SelectObject(target.get(), bitmap.get());
  const BOOL copied = BitBlt(target.get(), 0, 0, picture.width, picture.height, source.get(), 0,
                             0, SRCCOPY | CAPTUREBLT);
  GdiFlush();
  SelectObject(target.get(), previous);
  if (!copied) return std::nullopt;

  const auto* pixels = static_cast<const std::uint8_t*>(bits);
  const std::size_t count = static_cast<std::size_t>(picture.width) * picture.height;
  picture.bgr.resize(count * 3);
  for (std::size_t i = 0; i < count; ++i) {
    std::copy_n(pixels + 4 * i, 3, &picture.bgr[3 * i]);
  }
  return picture;
}

std::string SaveScreenshot(const Screenshot& picture, const std::string& path) {
  std::string data;
  if (EndsWithPng(path)) {
    auto png = EncodePng(picture);
    if (!png) return "zlib could not compress the picture";
    data = std::move(*png);
  } else {
    data = EncodeBitmap(picture);
  }
  const auto widePath = platform::win32::Widen(path);
  if (!widePath) return "the file name is not valid UTF-8";
  std::ofstream out(std::filesystem::path(*widePath), std::ios::binary);
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
  out.close();
  if (!out) return "cannot write " + path;
  return {};
}

}  // namespace vantrel::e2e
