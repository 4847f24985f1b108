// The rows of the five patches, as data. They write three craft names, each a 7-byte
// field of six letters and a terminating NUL, and around each name one-byte values at
// fixed distances from it (in the TIE Fighter 95 rows, 2C seven bytes and 0F five bytes
// before the name, 89 nine bytes after it).
#include <array>
#include <string_view>

#include "games/patches.h"

namespace vantrel {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kTieInterceptor = "TIEINT\0"sv;
constexpr std::string_view kTieDefender = "TIEDLX\0"sv;
constexpr std::string_view kTieAdvanced = "TIEADV\0"sv;

static_assert(kTieInterceptor.size() == 7 && kTieDefender.size() == 7 && kTieAdvanced.size() == 7);

constexpr std::array<PatchRow, 19> kTieRebelFighters = {{
    {0x0EA2EC, kTieInterceptor},
    {0x0EA3D0, "\x2C"sv},
    {0x0EA3D2, "\x0F"sv},
    {0x0EA3D7, kTieInterceptor},
    {0x0EA4C2, kTieInterceptor},
    {0x0EA5A6, "\x2C"sv},
    {0x0EA5A8, "\x0F"sv},
    {0x0EA5AD, kTieDefender},
    {0x0EAED4, "\x2C"sv},
    {0x0EAED6, "\x0F"sv},
    {0x0EAFBF, "\x2C"sv},
    {0x0EAFC1, "\x0F"sv},
    {0x0EAFC6, kTieInterceptor},
    {0x0EAFCF, "\x89\x8D\x00\x02\x01\x03\x02\x00"sv},
    {0x0EAFD9, "\x8F"sv},
    {0x0EAFDB, "\x04"sv},
    {0x0EAFDD, "\x05"sv},
    {0x0EAFDF, "\x02"sv},
    {0x0F240B, kTieInterceptor},
}};

constexpr std::array<PatchRow, 45> kTieTransports = {{
    {0x0EB195, "\x2C"sv},
    {0x0EB197, "\x0F"sv},
    {0x0EB19C, kTieDefender},
    {0x0EB280, "\x2C"sv},
    {0x0EB282, "\x0F"sv},
    {0x0EB287, kTieDefender},
    {0x0EB290, "\x89"sv},
    {0x0EB294, "\x03"sv},
    {0x0EB296, "\x03"sv},
    {0x0EB541, "\x2C"sv},
    {0x0EB543, "\x0F"sv},
    {0x0EB548, kTieDefender},
    {0x0EB62C, "\x2C"sv},
    {0x0EB62E, "\x0F"sv},
    {0x0EB633, kTieDefender},
    {0x0EB63C, "\x8B\x8D"sv},
    {0x0EB63F, "\x02\x01\x03\x02\x02"sv},
    {0x0EB646, "\x8F"sv},
    {0x0EB648, "\x04\x05"sv},
    {0x0EB64C, "\x02"sv},
    {0x0EB64E, "\x09"sv},
    {0x0EB664, "\x02\x01\x03\x02\x02"sv},
    {0x0EB717, "\x2C"sv},
    {0x0EB719, "\x0F"sv},
    {0x0EB71E, kTieDefender},
    {0x0EB729, "\x8D\x8B"sv},
    {0x0EC3F1, "\x2C"sv},
    {0x0EC3F3, "\x0F"sv},
    {0x0EC3F8, kTieDefender},
    {0x0EC401, "\x89"sv},
    {0x0EC405, "\x02"sv},
    {0x0EC407, "\x03"sv},
    {0x0EC40B, "\x8D"sv},
    {0x0EC40D, "\x03"sv},
    {0x0EC40F, "\x04\x02"sv},
    {0x0EC413, "\x08"sv},
    {0x0EC4DC, "\x2C"sv},
    {0x0EC4DE, "\x0F"sv},
    {0x0EC4E3, kTieDefender},
    {0x0EC4EC, "\x89"sv},
    {0x0EC4F6, "\x8F"sv},
    {0x0EC4F8, "\x02"sv},
    {0x0EC4FA, "\x03"sv},
    {0x0EC4FC, "\x02"sv},
    {0x0EC4FE, "\x05"sv},
}};

// The X-Wing vs. TIE Fighter and Balance of Power executables hold the same tables at
// different places, so their rows correspond one to one.
constexpr std::array<PatchRow, 17> kXvtTransports = {{
    {0x12AB8F, kTieAdvanced},
    {0x12AC7E, kTieAdvanced},
    {0x12AC87, "\x89"sv},
    {0x12AC8B, "\x02"sv},
    {0x12AC8D, "\x03"sv},
    {0x12AC91, "\x8F"sv},
    {0x12AC93, "\x03"sv},
    {0x12AC95, "\x04"sv},
    {0x12AF4B, kTieAdvanced},
    {0x12B129, kTieAdvanced},
    {0x12B132, "\x8B\x8D"sv},
    {0x12B135, "\x02\x01\x03\x02\x02"sv},
    {0x12BF2A, kTieAdvanced},
    {0x12BF33, "\x89"sv},
    {0x12BF3D, "\x8F"sv},
    {0x12BF43, "\x02"sv},
    {0x12BF45, "\x05"sv},
}};

constexpr std::array<PatchRow, 17> kBopTransports = {{
    {0x11AFA5, kTieAdvanced},
    {0x11B0A6, kTieAdvanced},
    {0x11B0AF, "\x89"sv},
    {0x11B0B3, "\x02"sv},
    {0x11B0B5, "\x03"sv},
    {0x11B0B9, "\x8F"sv},
    {0x11B0BB, "\x03"sv},
    {0x11B0BD, "\x04"sv},
    {0x11B3A9, kTieAdvanced},
    {0x11B5AB, kTieAdvanced},
    {0x11B5B4, "\x8B\x8D"sv},
    {0x11B5B7, "\x02\x01\x03\x02\x02"sv},
    {0x11C4BA, kTieAdvanced},
    {0x11C4C3, "\x89"sv},
    {0x11C4CD, "\x8F"sv},
    {0x11C4D3, "\x02"sv},
    {0x11C4D5, "\x05"sv},
}};

constexpr std::array<PatchRow, 1> kXwaBriefingAudio = {{{0x15772E, "\x90\x90"sv}}};

constexpr std::array<Patch, 5> kPatches = {{
    {GameId::TieFighter, kTieRebelFighters},
    {GameId::TieFighter, kTieTransports},
    {GameId::XwingVsTie, kXvtTransports},
    {GameId::BalanceOfPower, kBopTransports},
    {GameId::XwingAlliance, kXwaBriefingAudio},
}};

}  // namespace

const Patch& PatchFor(PatchOption option) { return kPatches[static_cast<std::size_t>(option)]; }

std::span<const Patch> AllPatches() { return kPatches; }

}  // namespace vantrel
