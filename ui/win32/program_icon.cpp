// The icon is set before the controller's own initialisation, so a controller that ends
// its dialog at once still leaves nothing half made.
#include "ui/win32/program_icon.h"

#include "ui/win32/window_win32.h"

namespace vantrel::ui::win32 {
namespace {

class WithIcon final : public DialogController {
 public:
  WithIcon(DialogController& inner, int iconId) : inner_(inner), iconId_(iconId) {}

  void onInit(Window& dialog) override {
    // The icon at the system's size for a big icon; icons loaded from resources are
    // shared and need no freeing.
    const HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId_),
                                   IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED);
    if (icon != nullptr) {
      SendMessageW(HandleOf(&dialog), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    }
    inner_.onInit(dialog);
  }
  bool onCommand(Window& dialog, int id) override { return inner_.onCommand(dialog, id); }
  bool onTimer(Window& dialog, int id) override { return inner_.onTimer(dialog, id); }
  void onDestroy(Window& dialog) override { inner_.onDestroy(dialog); }

 private:
  DialogController& inner_;
  int iconId_;
};

}  // namespace

int IconDesktop::RunModalDialog(std::string_view templateName, Window* owner,
                                DialogController& controller) {
  WithIcon withIcon(controller, iconId_);
  return Win32Desktop::RunModalDialog(templateName, owner, withIcon);
}

}  // namespace vantrel::ui::win32
