// The Windows shell: documents opened with the "open" verb, shell links made through COM
// (a ShellLink object saved through its IPersistFile), the known folders of the Start
// Menu's programs and the public desktop, the system's version and Windows folder, and
// the notice that file associations changed.
#include "platform/shell.h"

#include "platform/win32/text_win32.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

#include <knownfolders.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

namespace vantrel::platform {
namespace {

// Owns one reference to a COM interface.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (pointer_ != nullptr) pointer_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  Interface* operator->() const { return pointer_; }
  // For the calls that hand back a new reference; only called on an empty ComPtr.
  void** receive() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

// COM for the calls of one operation: initialised before, uninitialised after when the
// initialisation succeeded (also when COM was already initialised on the thread).
class ComScope {
 public:
  ComScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (initialised_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialised_;
};

class Win32Shell final : public Shell {
 public:
  bool OpenDocument(const std::string& path) override {
    const auto widePath = win32::Widen(path);
    if (!widePath) return false;
    // ShellExecute reports success with a value above 32.
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", widePath->c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
  }

  bool CreateShortcut(const std::string& target, const std::string& linkPath,
                      const std::string& description) override {
    const auto wideTarget = win32::Widen(target);
    const auto wideLink = win32::Widen(linkPath);
    const auto wideDescription = win32::Widen(description);
    if (!wideTarget || !wideLink || !wideDescription) return false;
    const ComScope com;
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.receive()))) {
      return false;
    }
    if (FAILED(link->SetPath(wideTarget->c_str())) ||
        FAILED(link->SetDescription(wideDescription->c_str()))) {
      return false;
    }
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.receive()))) return false;
    return SUCCEEDED(file->Save(wideLink->c_str(), TRUE));
  }

  std::optional<std::string> KnownFolder(CommonFolder folder) override {
    const KNOWNFOLDERID& id =
        folder == CommonFolder::Programs ? FOLDERID_CommonPrograms : FOLDERID_PublicDesktop;
    win32::TaskMemory<PWSTR> path;
    if (FAILED(SHGetKnownFolderPath(id, 0, nullptr, path.receive())) || !path.valid()) {
      return std::nullopt;
    }
    return win32::Narrow(path.get());
  }

  std::optional<int> WindowsMajorVersion() override {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExW(&version)) return std::nullopt;
    return static_cast<int>(version.dwMajorVersion);
  }

  std::string WindowsFolder() override {
    wchar_t folder[MAX_PATH + 1];
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return {};
    return win32::Narrow(std::wstring_view(folder, length));
  }

  void NotifyAssociationsChanged() override {
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  }
};

}  // namespace

Shell& NativeShell() {
  static Win32Shell shell;
  return shell;
}

}  // namespace vantrel::platform
