#include "launcher/about_dialog.h"

#include <string>

#include "resources/launcher_ids.h"

namespace vantrel {
namespace {

// The web links in dark blue, the mail link in a lighter blue.
constexpr ui::Colour kWebLinkColour{0, 0, 150};
constexpr ui::Colour kMailLinkColour{0, 0, 250};

}  // namespace

void AboutDialog::onInit(ui::Window& dialog) {
  dialog.AddTooltip(IDC_LINK_HOME, kClubHomePage, 0);
  dialog.AddTooltip(IDC_LINK_BATTLES, kClubBattlePage, 1);
  dialog.AddTooltip(IDC_LINK_OFFICE, kClubOfficePage, 2);
  dialog.AddTooltip(IDC_LINK_MAIL, "Email me", 3);
  dialog.AddTooltip(IDC_ABOUT_PICTURE, "Fear my TIE Interceptor!", 10);
  for (int link : {IDC_LINK_HOME, IDC_LINK_BATTLES, IDC_LINK_OFFICE}) {
    dialog.ShowAsLink(link, kWebLinkColour);
  }
  dialog.ShowAsLink(IDC_LINK_MAIL, kMailLinkColour);
}

bool AboutDialog::onCommand(ui::Window& dialog, int id) {
  switch (id) {
    case IDC_LINK_HOME:
      ui::Ui().ShellOpen(nullptr, kClubHomePage);
      return true;
    case IDC_LINK_BATTLES:
      ui::Ui().ShellOpen(nullptr, kClubBattlePage);
      return true;
    case IDC_LINK_OFFICE:
      ui::Ui().ShellOpen(nullptr, kClubOfficePage);
      return true;
    case IDC_LINK_MAIL:
      ui::Ui().ShellOpen(nullptr, "mailto:" + std::string(kAuthorAddress));
      return true;
    default:
      // "OK", a click on the picture, Esc and the close box.
      dialog.EndDialog(id);
      return true;
  }
}

int RunAboutDialog(ui::Window& owner) {
  AboutDialog controller;
  return ui::Ui().RunModalDialog(kAboutTemplate, &owner, controller);
}

}  // namespace vantrel
