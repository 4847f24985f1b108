// The About dialog (template ABOUT): the product's name, a credit line, and links to
// the author's address and the club's pages. A link opens its target and leaves the
// dialog open; "OK", the picture, Esc and the close box close it.
#pragma once

#include <string_view>

#include "ui/dialog_controller.h"
#include "ui/window.h"

namespace vantrel {

inline constexpr char kAboutTemplate[] = "ABOUT";

// Where the links lead. The club's pages are placeholders until the club names its own.
inline constexpr std::string_view kClubHomePage = "https://www.example.org/";
inline constexpr std::string_view kClubBattlePage = "https://www.example.org/battles/";
inline constexpr std::string_view kClubOfficePage = "https://www.example.org/office/";
inline constexpr std::string_view kAuthorAddress = "author@example.org";

class AboutDialog : public ui::DialogController {
 public:
  void onInit(ui::Window& dialog) override;
  // The dialog ends with the id of the command that closed it.
  bool onCommand(ui::Window& dialog, int id) override;
};

// Shows the About dialog modally, owned by `owner`.
int RunAboutDialog(ui::Window& owner);

}  // namespace vantrel
