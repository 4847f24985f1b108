// Any bytes as a battle list "battle.kzb": the reader takes the file as far as it goes,
// never past its end, and names no more missions than the list's count.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "battle/battle_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const vantrel::BattleList list = vantrel::ParseBattleList(bytes);
  if (list.missions.size() > list.listedCount) std::abort();
  if (size == 0 && list.game) std::abort();
  return 0;
}
