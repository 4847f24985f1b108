// The block-wise cipher against the byte-by-byte definition, at every alignment and
// length around a machine word, and across the block boundaries of a file copy.
#include "battle/mission_cipher.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/fakes/faulty_file_system.h"
#include "tests/support/battle_list_bytes.h"
#include "tests/support/temp_folder.h"

namespace vantrel {
namespace {

std::string Framed(const std::string& bytes) {
  std::string framed(1, '#');
  framed.append(bytes);
  framed.push_back('#');
  return framed;
}

TEST(MissionCipher, EveryAlignmentAndLengthMatchesTheByteWiseCipher) {
  for (int key : {0x00, 0x01, 0x80, 0xFF, 0x5A}) {
    for (std::size_t offset = 0; offset < 8; ++offset) {
      for (std::size_t size = 0; size <= 40; ++size) {
        // A guard byte on either side catches a write outside the range.
        const std::string plain = testing::VariedBytes(offset + size);
        std::string buffer = Framed(plain);
        ApplyMissionKey(reinterpret_cast<unsigned char*>(buffer.data()) + 1 + offset, size,
                        static_cast<std::uint8_t>(key));
        const std::string expected =
            Framed(plain.substr(0, offset).append(testing::Enciphered(plain.substr(offset), key)));
        ASSERT_EQ(buffer, expected) << "key " << key << ", offset " << offset << ", size " << size;
      }
    }
  }
}

class MissionCipherCopy : public ::testing::Test {
 protected:
  CipherCopy Copy(const std::string& plain, int key, platform::FileSystem& files) {
    temp.WriteFile("in.tie", testing::Enciphered(plain, key));
    auto source = files.Open(temp.Path("in.tie"), platform::OpenMode::Read);
    auto target = files.Open(temp.Path("out.tie"), platform::OpenMode::CreateAlways);
    EXPECT_NE(source, nullptr);
    EXPECT_NE(target, nullptr);
    if (!source || !target) return CipherCopy::ReadFailed;
    return CopyWithMissionKey(*source, *target, static_cast<std::uint8_t>(key));
  }

  testing::TempFolder temp;
};

TEST_F(MissionCipherCopy, CopiesAcrossBlockBoundariesExactly) {
  for (std::size_t size : {0u, 1u, 262143u, 262144u, 262145u, 1048576u + 17u}) {
    SCOPED_TRACE(size);
    EXPECT_EQ(Copy(testing::VariedBytes(size), 0x6B, platform::Files()), CipherCopy::Done);
    EXPECT_EQ(temp.ReadFile("out.tie"), testing::VariedBytes(size));
  }
}

TEST_F(MissionCipherCopy, ReportsAWriteThatFallsShort) {
  testing::FaultyFileSystem faulty;
  faulty.FailWritesAfter(100, "out.tie");
  EXPECT_EQ(Copy(testing::VariedBytes(5000), 1, faulty), CipherCopy::WriteFailed);
  EXPECT_EQ(temp.ReadFile("out.tie"), testing::VariedBytes(100));
}

TEST_F(MissionCipherCopy, ReportsAReadError) {
  testing::FaultyFileSystem faulty;
  faulty.FailNth(testing::FileOperation::FileRead, 2, "in.tie");
  EXPECT_EQ(Copy(testing::VariedBytes(600000), 2, faulty), CipherCopy::ReadFailed);
}

}  // namespace
}  // namespace vantrel
