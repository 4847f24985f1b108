// The pilot roster's dialogs: what each button does, through the window seam only.
#include "launcher/xwa_pilot_dialog.h"

#include <optional>
#include <string>

#include "launcher/one_operation.h"
#include "pilots/xwa_pilot_file.h"
#include "pilots/xwa_pilot_list.h"
#include "pilots/xwa_roster.h"
#include "resources/launcher_ids.h"

namespace vantrel {
namespace {

constexpr int kMaxTypedName = 12;

void RefillXwaPilotList(ui::Window& dialog) {
  dialog.ClearList(IDC_PILOT_LIST);
  FillXwaPilotList(dialog);
}

void DeleteSelectedPilot(ui::Window& dialog) {
  // An empty list has no selection, and then there is no pilot to ask about.
  const std::optional<std::string> name = dialog.SelectedListText(IDC_PILOT_LIST);
  if (!name) return;
  const ui::Answer answer =
      ui::Ui().ShowMessage(&dialog, "Sure you want to delete pilot " + *name + "?", "VNTL",
                           ui::Icon::Exclamation, ui::Buttons::YesNo);
  if (answer != ui::Answer::Yes) return;
  if (const auto lock = BeginOperation(&dialog)) DeleteXwaPilot(*name);
  RefillXwaPilotList(dialog);
}

}  // namespace

void FillXwaPilotList(ui::Window& dialog) {
  const PilotList list = ReadXwaPilotList(&dialog);
  if (list.entries.empty()) {
    dialog.EnableItem(IDC_PILOT_OK, false);
    return;
  }
  dialog.EnableItem(IDC_PILOT_OK, true);
  // The list box places each entry by its own sorting, which need not agree with the
  // list's at every character; the chosen entry is followed to wherever it ends up.
  std::optional<int> selectedAt;
  for (std::size_t i = 0; i < list.entries.size(); ++i) {
    const int at = dialog.AddListEntry(IDC_PILOT_LIST, list.entries[i]);
    if (at < 0) continue;
    if (selectedAt && *selectedAt >= at) ++*selectedAt;
    if (list.selected == i) selectedAt = at;
  }
  dialog.SelectListEntry(IDC_PILOT_LIST, selectedAt.value_or(0));
}

int RunXwaPilotDialog(ui::Window& owner) {
  XwaPilotDialog controller;
  return ui::Ui().RunModalDialog(kXwaPilotTemplate, &owner, controller);
}

void XwaPilotDialog::onInit(ui::Window& dialog) { FillXwaPilotList(dialog); }

bool XwaPilotDialog::onCommand(ui::Window& dialog, int id) {
  switch (id) {
    case IDC_PILOT_LIST:
      // A click or double click in the list only selects.
      return false;
    case IDC_NEW_PILOT: {
      XwaNewPilotDialog newPilot;
      ui::Ui().RunModalDialog(kXwaNewPilotTemplate, &dialog, newPilot);
      RefillXwaPilotList(dialog);
      return true;
    }
    case IDC_DELETE_PILOT:
      DeleteSelectedPilot(dialog);
      return true;
    case IDC_PILOT_OK:
      // "&OK" is disabled while the list is empty; without a selection there is no
      // pilot to write, and the dialog closes as "&Cancel" would.
      if (const std::optional<std::string> name = dialog.SelectedListText(IDC_PILOT_LIST)) {
        const auto lock = BeginOperation(&dialog);
        if (!lock) return true;
        WriteXwaLastPilot(*name);
      }
      dialog.EndDialog(id);
      return true;
    default:
      // "&Cancel", Esc, the close box, and anything else.
      dialog.EndDialog(id);
      return true;
  }
}

void XwaNewPilotDialog::onInit(ui::Window& dialog) {
  dialog.SetTextLimit(IDC_NEW_PILOT_NAME, kMaxTypedName);
  dialog.SetChecked(IDC_PREPARE_KZ, false);
}

bool XwaNewPilotDialog::onCommand(ui::Window& dialog, int id) {
  switch (id) {
    case IDC_DIALOG_OK: {
      const std::string typed = dialog.ItemText(IDC_NEW_PILOT_NAME);
      const bool prepare = dialog.IsChecked(IDC_PREPARE_KZ);
      const auto lock = BeginOperation(&dialog);
      if (lock && CreateXwaPilot(CutXwaPilotName(typed), prepare)) dialog.EndDialog(id);
      return true;
    }
    case IDC_DIALOG_CANCEL:
      dialog.EndDialog(id);
      return true;
    default:
      return false;
  }
}

}  // namespace vantrel
