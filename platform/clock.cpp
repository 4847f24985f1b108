// The standard clock counts from 1970; file times count 100-nanosecond ticks from 1601.
#include "platform/clock.h"

#include <chrono>

namespace vantrel::platform {

FileTime SystemClockTime() {
  using Ticks = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;
  constexpr std::int64_t kTicksFrom1601To1970 = 116'444'736'000'000'000LL;
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  return static_cast<FileTime>(std::chrono::duration_cast<Ticks>(sinceEpoch).count() +
                               kTicksFrom1601To1970);
}

template <>
Clock& Service<Clock>::Default() {
  static Clock system{SystemClockTime};
  return system;
}

}  // namespace vantrel::platform
