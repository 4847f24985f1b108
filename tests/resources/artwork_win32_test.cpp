// The launcher's pictures as Windows itself reads them from the program's resources: every
// bitmap at its size with 8 bits per pixel and a full palette of 256 colours, and the icon
// with its 16, 32, 48 and 256 pixel images.
#include <gtest/gtest.h>

#include <set>

#include "platform/win32/windows_api.h"

namespace {

struct BitmapCase {
  int id;
  const char* picture;
  int width;
  int height;
};

const BitmapCase kBitmaps[] = {
    {133, "TIE Fighter 95 button", 175, 75}, {120, "X-Wing vs. TIE Fighter button", 175, 75},
    {130, "Balance of Power button", 175, 75}, {132, "X-Wing Alliance button", 175, 75},
    {111, "splash", 250, 150},                 {152, "About picture", 36, 36},
};

TEST(Artwork, BitmapsLoadAtTheirSizesWithA256ColourPalette) {
  for (const BitmapCase& bitmap : kBitmaps) {
    SCOPED_TRACE(bitmap.picture);
    // As the launcher loads them: device-independent sections, which keep the format.
    HANDLE image = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmap.id), IMAGE_BITMAP,
                              0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(image, nullptr);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(image, sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(section.dsBm.bmWidth, bitmap.width);
    EXPECT_EQ(section.dsBm.bmHeight, bitmap.height);
    EXPECT_EQ(section.dsBm.bmBitsPixel, 8);
    EXPECT_EQ(section.dsBmih.biClrUsed, 256u);
    DeleteObject(image);
  }
}

// The icon group's directory, as the resource compiler stores it.
#pragma pack(push, 2)
struct IconGroupEntry {
  BYTE width;
  BYTE height;
  BYTE colours;
  BYTE reserved;
  WORD planes;
  WORD bitsPerPixel;
  DWORD bytes;
  WORD id;
};
struct IconGroup {
  WORD reserved;
  WORD type;
  WORD count;
  IconGroupEntry entries[1];
};
#pragma pack(pop)

TEST(Artwork, IconHoldsFourSizesInFullColour) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(148), RT_GROUP_ICON);
  ASSERT_NE(resource, nullptr);
  const auto* group = static_cast<const IconGroup*>(LockResource(LoadResource(module, resource)));
  ASSERT_NE(group, nullptr);
  std::set<int> sizes;
  for (WORD i = 0; i < group->count; ++i) {
    const IconGroupEntry& entry = group->entries[i];
    EXPECT_EQ(entry.width, entry.height);
    EXPECT_EQ(entry.bitsPerPixel, 32);
    sizes.insert(entry.width == 0 ? 256 : entry.width);  // 0 stands for 256
  }
  EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 256}));

  // And the system makes icons of the small sizes from it without scaling.
  for (int size : {16, 32, 48}) {
    SCOPED_TRACE(size);
    HICON icon = static_cast<HICON>(
        LoadImageW(module, MAKEINTRESOURCEW(148), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof(colour), &colour);
    EXPECT_EQ(colour.bmWidth, size);
    EXPECT_EQ(colour.bmHeight, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

}  // namespace
