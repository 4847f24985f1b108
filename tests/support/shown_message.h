// Checks a message box the recording desktop was asked to show, every field at once, so
// that a test states the whole box (owner, text, title, icon, buttons) in one line.
#pragma once

#include <cstddef>

#include <gtest/gtest.h>

#include "tests/fakes/fake_ui.h"

namespace vantrel::testing {

// Expects exactly `count` messages, the last of them `expected` in every field.
inline void ExpectLastMessage(const FakeDesktop& desktop, std::size_t count,
                              const ShownMessage& expected) {
  ASSERT_EQ(desktop.messages().size(), count);
  const ShownMessage& shown = desktop.messages().back();
  EXPECT_EQ(shown.text, expected.text);
  EXPECT_EQ(shown.title, expected.title);
  EXPECT_EQ(shown.owner, expected.owner);
  EXPECT_EQ(shown.icon, expected.icon);
  EXPECT_EQ(shown.buttons, expected.buttons);
}

inline void ExpectOnlyMessage(const FakeDesktop& desktop, const ShownMessage& expected) {
  ExpectLastMessage(desktop, 1, expected);
}

}  // namespace vantrel::testing
