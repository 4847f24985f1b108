// The game folders and a recording desktop: what every pilot test starts from.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "core/game_table.h"
#include "platform/file_system.h"
#include "tests/fakes/fake_ui.h"
#include "tests/support/game_world.h"

namespace vantrel::testing {

class PilotTest : public GameWorldTest {
 protected:
  static constexpr GameId kXwa = GameId::XwingAlliance;

  // X-Wing Alliance's configuration file, whose first line names the last pilot.
  void WriteConfig(std::string_view text) { temp.WriteFile(In(kXwa, "CONFIG.CFG"), text); }
  std::optional<std::string> Config() const { return temp.ReadFile(In(kXwa, "CONFIG.CFG")); }

  FakeDesktop desktop;
};

// The first offset at which two byte strings differ (the shorter one's end when one is
// a prefix of the other); empty when they are equal. Comparing whole pilot files this way
// reports one offset instead of printing 150,000 bytes.
std::optional<std::size_t> FirstDifference(std::string_view a, std::string_view b);

// A file time from seconds since 1970-01-01 UTC.
constexpr platform::FileTime FromUnixSeconds(std::uint64_t seconds) {
  return 116'444'736'000'000'000ULL + seconds * 10'000'000ULL;
}

}  // namespace vantrel::testing
