#include "authoring/package_report.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/cli/cli_run.h"
#include "tests/support/battle_list_bytes.h"
#include "tests/support/temp_folder.h"
#include "tests/support/zip_builder.h"

namespace vantrel {
namespace {

using testing::BattleListBytes;
using testing::TempFolder;
using testing::ZipBuilder;

struct Entry {
  std::string name;
  std::string bytes;
  bool deflate = true;
};

struct Damaged {
  const char* label;
  std::vector<Entry> entries;
  // Problems as "kind subject", in the order they are reported.
  std::vector<std::string> problems;
  // Bytes of the written archive replaced afterwards: the first `from` found becomes `to`.
  std::string from = {};
  std::string to = {};
};

std::string List(int game, std::vector<std::string> missions) {
  return BattleListBytes(game, 7, "Damaged", missions);
}

std::vector<Damaged> Cases() {
  return {
      {"EntryOutsideTemp",
       {{"battle.kzb", List(1, {"m1.tie"})}, {"m1.tie", "m"}, {"../evil.txt", "e"},
        {"Readme.txt", "r"}},
       {"entry-refused ..\\evil.txt"}},
      {"MissionMissing",
       {{"battle.kzb", List(1, {"m1.tie", "m2.tie"})}, {"m1.tie", "m"}},
       {"mission-missing m2.tie"}},
      {"MissionUnlisted",
       {{"battle.kzb", List(1, {"m1.tie"})}, {"m1.tie", "m"}, {"m2.TIE", "m"}},
       {"mission-unlisted m2.TIE"}},
      {"MissionNamesTheDecryptionRefuses",
       {{"battle.kzb", List(3, {"m1.tie", "a\\b.tie", "nul.tie"})}, {"m1.tie", "m"}},
       {"mission-name-refused a\\b.tie", "mission-name-refused nul.tie"}},
      {"NamesThatCollide",
       {{"battle.kzb", List(1, {"m1.tie"})}, {"m1.tie", "m"}, {"M1.TIE", "n"}},
       {"name-collision M1.TIE"}},
      {"ListTooShortForItsCount",
       {{"battle.kzb", BattleListBytes(1, 7, "Short", 3, {"m1.tie"}).substr(0, 76)},
        {"m1.tie", "m"}},
       {"battle-list-short battle.kzb"}},
      {"GameAboveThree",
       {{"battle.kzb", List(4, {"m1.tie"})}, {"m1.tie", "m"}},
       {"unknown-game battle.kzb"}},
      {"NoBattleList", {{"m1.tie", "m"}, {"Readme.txt", "r"}}, {"no-battle-list "}},
      {"NoMissions", {{"battle.kzb", List(1, {})}, {"Readme.txt", "r"}}, {"no-missions "}},
      {"TieFighterWithoutResources",
       {{"battle.kzb", List(0, {"m1.tie"})}, {"m1.tie", "m"}, {"Readme.txt", "r"}},
       {"stays-in-temp Readme.txt"}},
      {"FilesInFolders",
       {{"battle.kzb", List(1, {"m1.tie"})}, {"m1.tie", "m"}, {"maps/", ""}, {"maps/one.map", "x"}},
       {"stays-in-temp maps\\one.map"}},
      {"CrcError", {{"battle.kzb", List(1, {"m1.tie"})}, {"m1.tie", "MISSION-DATA", false}},
       {"crc-error m1.tie"}, "MISSION-DATA", "MISSION-DATB"},
      {"NotAnArchive", {{"battle.kzb", List(1, {"m1.tie"})}}, {"no-package "}, "PK\x05\x06",
       "XX\x05\x06"},
  };
}

class InspectDamagedTest : public ::testing::TestWithParam<Damaged> {
 protected:
  std::string Write(const Damaged& damaged) {
    testing::WritePackage(temp, "p.kzm", [&](ZipBuilder& zip) {
      for (const Entry& entry : damaged.entries) {
        if (entry.name.ends_with("/")) {
          zip.AddFolder(entry.name);
        } else {
          zip.Add(entry.name, entry.bytes, testing::kNoonDosTime, entry.deflate);
        }
      }
    });
    if (!damaged.from.empty()) {
      std::string bytes = *temp.ReadFile("p.kzm");
      const std::size_t at = bytes.find(damaged.from);
      EXPECT_NE(at, std::string::npos);
      bytes.replace(at, damaged.from.size(), damaged.to);
      temp.WriteFile("p.kzm", bytes);
    }
    return temp.Path("p.kzm");
  }

  TempFolder temp;
};

TEST_P(InspectDamagedTest, ReportsEachProblemAndWritesNothing) {
  const Damaged& damaged = GetParam();
  const std::string package = Write(damaged);
  const std::optional<std::string> before = temp.ReadFile("p.kzm");

  const PackageReport report = InspectPackage(package);
  std::vector<std::string> problems;
  for (const PackageProblem& problem : report.problems)
    problems.push_back(problem.kind + " " + problem.subject);
  EXPECT_EQ(problems, damaged.problems);
  EXPECT_FALSE(report.clean());

  const testing::CliRun run = testing::RunCommand(cli::InspectCommand, {package});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(temp.List(), (std::vector<std::string>{"p.kzm"}));
  EXPECT_EQ(temp.ReadFile("p.kzm"), before);
}

INSTANTIATE_TEST_SUITE_P(EveryProblem, InspectDamagedTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(InspectPackage, AnEntryRefusedEndsTheUnpackingThere) {
  TempFolder temp;
  const PackageReport report = InspectPackage(testing::WritePackage(temp, "p.kzm", [](auto& zip) {
    zip.Add("battle.kzb", List(1, {"m1.tie", "m2.tie"})).Add("m1.tie", "m").Add("/abs.txt", "a");
    zip.Add("m2.tie", "n");
  }));
  ASSERT_EQ(report.entries.size(), 4u);
  EXPECT_TRUE(report.entries[1].unpacked);
  EXPECT_FALSE(report.entries[2].unpacked);
  EXPECT_FALSE(report.entries[3].unpacked);
  // Nothing of a package that does not unpack whole is staged: no mission is missing.
  ASSERT_EQ(report.problems.size(), 1u);
  EXPECT_EQ(report.problems[0].text,
            "\"\\abs.txt\" would be written outside Temp, so the unpacking refuses it; the load "
            "stops there and stages nothing");
}

TEST(InspectCommand, PrintsTheReportAsText) {
  TempFolder temp;
  testing::WritePackage(temp, "p.kzm", [](ZipBuilder& zip) {
    zip.Add("battle.kzb", BattleListBytes(3, 0x21, "Endor", {"e1.tie", "e2.tie"}));
    zip.Add("e1.tie", "12345").Add("email.txt", "mail").Add("Pilot0.plt", "pilot");
    zip.Add("Readme.txt", "r");
  });
  const testing::CliRun run = testing::RunCommand(cli::InspectCommand, {temp.Path("p.kzm")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "package   " + temp.Path("p.kzm") +
                         "\n"
                         "game      3 X-Wing Alliance\n"
                         "battle    Endor\n"
                         "key       33\n"
                         "missions  2 listed\n"
                         "  e1.tie                 5 bytes\n"
                         "  e2.tie                 missing\n"
                         "entries   5, staged below the game folder as\n"
                         "  battle.kzb             \\KZMISS\\Battle.kzb\n"
                         "  e1.tie                 \\KZMISS\\e1.tie\n"
                         "  email.txt              \\MISSIONS\\email.txt\n"
                         "  Pilot0.plt             \\Pilot0.plt\n"
                         "  Readme.txt             \\MISC\\Readme.txt\n"
                         "problems  1\n"
                         "  mission-missing: the battle list names \"e2.tie\", which the package "
                         "lacks; playing stops with "
                         "\"Error reading the source mission!\"\n");
  EXPECT_EQ(run.err, "");
}

TEST(InspectCommand, PrintsOneJsonObject) {
  TempFolder temp;
  const std::string package = testing::WritePackage(temp, "p.kzm", [](ZipBuilder& zip) {
    zip.Add("battle.kzb", BattleListBytes(1, 90, "Quote \"Q\"", {"q.tie"}));
    zip.Add("q.tie", "qq").Add("Q.lst", "l");
  });
  const testing::CliRun run =
      testing::RunCommand(cli::InspectCommand, {package}, testing::JsonOption());
  EXPECT_EQ(run.status, 0);
  std::string escaped;
  for (char c : package) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  EXPECT_EQ(run.out,
            "{\n"
            "  \"package\": \"" +
                escaped +
                "\",\n"
                "  \"clean\": true,\n"
                "  \"game\": 1,\n"
                "  \"gameName\": \"X-Wing vs. TIE Fighter\",\n"
                "  \"battle\": \"Quote \\\"Q\\\"\",\n"
                "  \"key\": 90,\n"
                "  \"listedCount\": 1,\n"
                "  \"missions\": [\n"
                "    {\n"
                "      \"name\": \"q.tie\",\n"
                "      \"present\": true,\n"
                "      \"size\": 2\n"
                "    }\n"
                "  ],\n"
                "  \"entries\": [\n"
                "    {\n"
                "      \"name\": \"battle.kzb\",\n"
                "      \"folder\": false,\n"
                "      \"size\": 77,\n"
                "      \"unpacked\": true,\n"
                "      \"stagedTo\": \"\\\\KZMISS\\\\Battle.kzb\"\n"
                "    },\n"
                "    {\n"
                "      \"name\": \"q.tie\",\n"
                "      \"folder\": false,\n"
                "      \"size\": 2,\n"
                "      \"unpacked\": true,\n"
                "      \"stagedTo\": \"\\\\KZMISS\\\\q.tie\"\n"
                "    },\n"
                "    {\n"
                "      \"name\": \"Q.lst\",\n"
                "      \"folder\": false,\n"
                "      \"size\": 1,\n"
                "      \"unpacked\": true,\n"
                "      \"stagedTo\": \"\\\\TRAIN\\\\Q.lst\"\n"
                "    }\n"
                "  ],\n"
                "  \"problems\": []\n"
                "}\n");
}

TEST(InspectCommand, NeedsOnePackage) {
  EXPECT_EQ(testing::RunCommand(cli::InspectCommand, {}).status, 2);
  EXPECT_EQ(testing::RunCommand(cli::InspectCommand, {"a.kzm", "b.kzm"}).status, 2);
  EXPECT_EQ(testing::RunCommand(cli::InspectCommand, {"a.kzm", "--xml"}).status, 2);
}

}  // namespace
}  // namespace vantrel
