// The pilot tests' comparison of whole files.
#include "tests/pilots/pilot_fixture.h"

#include <algorithm>

namespace vantrel::testing {

std::optional<std::size_t> FirstDifference(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (a[i] != b[i]) return i;
  }
  if (a.size() != b.size()) return common;
  return std::nullopt;
}

}  // namespace vantrel::testing
