// The standard clock counts from 1970; file times count 100-nanosecond ticks from 1601.
#include "platform/clock.h"

#include <chrono>

namespace vantrel::platform {

FileTime CurrentFileTime() {
  constexpr std::int64_t kTicksFrom1601To1970 = 116'444'736'000'000'000LL;
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  const auto ticks = std::chrono::duration_cast<std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>>(sinceEpoch);
  return static_cast<FileTime>(ticks.count() + kTicksFrom1601To1970);
}

}  // namespace vantrel::platform
