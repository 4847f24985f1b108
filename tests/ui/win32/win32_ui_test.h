// A plain top-level window for the Win32 window tests to own their dialogs and hold
// their controls. Under Wine a window needs a display; without one (run the tests
// under xvfb-run) the tests that need windows are skipped, saying why.
#pragma once

#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"

namespace vantrel::ui::win32 {

// A plain top-level window; null where no window can be made.
inline HWND CreateTestOwner() {
  return CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 320, 200, nullptr,
                         nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Whether windows can be made here at all, for tests whose fixture needs no owner.
inline bool CanMakeWindows() {
  const HWND window = CreateTestOwner();
  return window != nullptr && DestroyWindow(window);
}

inline constexpr char kNoDisplay[] = "no window can be made here; run under a display (xvfb-run)";

class Win32UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner = CreateTestOwner();
    if (owner == nullptr) GTEST_SKIP() << kNoDisplay;
  }
  void TearDown() override {
    if (owner != nullptr) DestroyWindow(owner);
  }

  // A child control of `owner` with the id `id`.
  HWND AddLabel(int id) {
    return CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 200, 20, owner,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
  }

  HWND owner = nullptr;
};

}  // namespace vantrel::ui::win32
