// Battle lists for tests, laid out byte by byte: game, mission key, the battle name in a
// 51-byte field, the mission count, a reserved byte, one 21-byte field per mission name
// and a reserved byte at the end. Fields are NUL-padded; a text as long as its field (or
// longer) fills it without a terminator.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrel::testing {

std::string BattleListBytes(int game, int key, std::string_view name,
                            const std::vector<std::string>& missions);

// The same with a count byte that need not match the names given.
std::string BattleListBytes(int game, int key, std::string_view name, int count,
                            const std::vector<std::string>& missions);

// Each byte combined with the key by exclusive-or, one at a time.
std::string Enciphered(std::string_view plain, int key);

}  // namespace vantrel::testing
