#include "launcher/directories_dialog.h"

#include <optional>
#include <string>

#include "launcher/game_controls.h"
#include "core/settings.h"
#include "resources/launcher_ids.h"

namespace vantrel {

void DirectoriesDialog::onInit(ui::Window& dialog) {
  for (GameId game : kAllGames) {
    dialog.SetItemText(Controls(game).directoriesField, ReadGameFolder(game));
  }
}

bool DirectoriesDialog::onCommand(ui::Window& dialog, int id) {
  if (const std::optional<GameId> game = GameOfBrowseButton(id)) {
    const std::string chosen = ui::Ui().BrowseForFolder(dialog, ReadGameFolder(*game));
    if (!chosen.empty()) dialog.SetItemText(Controls(*game).directoriesField, chosen);
    return true;
  }
  if (id == IDC_DIRECTORIES_OK) SaveDirectories(dialog);
  // "&Cancel", Esc, the close box and any other command close without storing.
  dialog.EndDialog(id);
  return true;
}

void SaveDirectories(ui::Window& dialog) {
  for (GameId game : kAllGames) {
    WriteGameFolder(game, dialog.ItemText(Controls(game).directoriesField));
  }
}

int RunDirectoriesDialog(ui::Window& owner) {
  DirectoriesDialog controller;
  return ui::Ui().RunModalDialog(kDirectoriesTemplate, &owner, controller);
}

}  // namespace vantrel
