// `vantrel pilots`: the X-Wing Alliance pilot roster of the launcher's Pilot Options
// dialog — list, create, delete, and choose the pilot the game starts with.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/json_writer.h"
#include "launcher/one_operation.h"
#include "core/settings.h"
#include "pilots/xwa_pilot_file.h"
#include "pilots/xwa_pilot_list.h"
#include "pilots/xwa_roster.h"
#include "platform/path.h"

namespace vantrel::cli {
namespace {

// {"pilots":[{"name":"Luke","selected":true},...]}, in the order of the plain list.
void PrintJson(const PilotList& pilots) {
  JsonWriter json;
  json.BeginObject().Key("pilots").BeginArray();
  for (std::size_t i = 0; i < pilots.entries.size(); ++i) {
    json.BeginObject().Key("name").String(pilots.entries[i]);
    json.Key("selected").Bool(pilots.selected == i).EndObject();
  }
  json.EndArray().EndObject();
  std::printf("%s\n", json.text().c_str());
}

int List(bool asJson) {
  const PilotList pilots = ReadXwaPilotList(&MainWindow());
  if (asJson) {
    PrintJson(pilots);
    return 0;
  }
  for (std::size_t i = 0; i < pilots.entries.size(); ++i) {
    std::printf("%s %s\n", pilots.selected == i ? "*" : " ", pilots.entries[i].c_str());
  }
  return 0;
}

int Create(const std::vector<std::string>& words) {
  const bool prepare = words.size() == 3 && words[2] == "--kz";
  if (words.size() < 2 || words.size() > 3 || (words.size() == 3 && !prepare)) {
    return UsageError("pilots create takes NAME and optionally --kz");
  }
  const std::string& name = words[1];
  if (CutXwaPilotName(name) != name) return Fail("a pilot name has at most 11 characters");
  // A refusal is a message of the roster's own, with its cause.
  return CreateXwaPilot(name, prepare) ? 0 : 1;
}

int Delete(const std::vector<std::string>& words) {
  if (words.size() != 2) return UsageError("pilots delete takes NAME");
  const std::string& name = words[1];
  const ui::Answer answer =
      ui::Ui().ShowMessage(&MainWindow(), "Sure you want to delete pilot " + name + "?", "VNTL",
                           ui::Icon::Exclamation, ui::Buttons::YesNo);
  if (answer != ui::Answer::Yes) return Fail("nothing deleted");
  const std::optional<platform::FileLock> lock = BeginOperation(&MainWindow());
  if (!lock) return 1;
  if (DeleteXwaPilot(name)) return 0;
  // A pilot that is not there has been told with its cause; one that is there but could
  // not be deleted is told here.
  if (!platform::LastFailure()) return 1;
  return Fail("cannot delete pilot " + name, platform::LastFailure());
}

int Select(const std::vector<std::string>& words) {
  if (words.size() != 2) return UsageError("pilots select takes NAME");
  // As the dialog does, the name written is a listed pilot's, as stored in its file.
  for (const std::string& entry : ReadXwaPilotList(&MainWindow()).entries) {
    if (platform::NamesEqual(entry, words[1])) {
      if (WriteXwaLastPilot(entry)) return 0;
      return Fail("cannot make " + entry + " the pilot X-Wing Alliance starts with",
                  platform::LastFailure());
    }
  }
  return Fail("no X-Wing Alliance pilot is named " + words[1]);
}

}  // namespace

int PilotsCommand(const Options& options, const std::vector<std::string>& words) {
  const std::string action = words.empty() ? "list" : words[0];
  if (action != "list" && action != "create" && action != "delete" && action != "select") {
    return UsageError("unknown pilots action " + action + " (list, create, delete, select)");
  }
  if (action == "list" && words.size() > 1) return UsageError("pilots list takes no arguments");
  if (action != "list" && options.json) return UsageError("only pilots list has --json output");
  // Without the game's folder every pilot path would begin at the root of the drive.
  if (ReadGameFolder(GameId::XwingAlliance).empty()) {
    return FailFolderUnset(GameId::XwingAlliance);
  }
  if (action == "list") return List(options.json);
  platform::ClearLastFailure();
  // A deletion asks first, and takes the installation's lock only once answered.
  if (action == "delete") return Delete(words);
  const std::optional<platform::FileLock> lock = BeginOperation(&MainWindow());
  if (!lock) return 1;
  if (action == "create") return Create(words);
  return Select(words);
}

}  // namespace vantrel::cli
