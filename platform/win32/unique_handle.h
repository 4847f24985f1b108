// One owner for every kind of Win32 handle. A kind names its handle type, the value that
// means "no handle" and the call that closes one, once; the owner closes what it holds
// exactly once, when it goes or is given another handle.
#pragma once

#include <utility>

#include "platform/win32/windows_api.h"

// CoTaskMemFree, which the lean Windows headers leave out.
#include <objbase.h>

namespace vantrel::platform::win32 {

template <typename Kind>
class UniqueHandle {
 public:
  using Handle = typename Kind::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  bool valid() const { return handle_ != Kind::None(); }
  Handle get() const { return handle_; }
  // For the calls that hand back a new handle through a pointer; what was held is closed.
  Handle* receive() {
    reset();
    return &handle_;
  }
  Handle release() { return std::exchange(handle_, Kind::None()); }
  void reset(Handle handle = Kind::None()) {
    if (valid()) Kind::Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Kind::None();
};

// CreateFileW fails with INVALID_HANDLE_VALUE.
struct FileKind {
  using Handle = HANDLE;
  static Handle None() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { CloseHandle(handle); }
};

// FindFirstFileExW fails with INVALID_HANDLE_VALUE too, but is closed by FindClose.
struct FindKind {
  using Handle = HANDLE;
  static Handle None() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { FindClose(handle); }
};

// Process and thread handles are null when there are none.
struct KernelObjectKind {
  using Handle = HANDLE;
  static Handle None() { return nullptr; }
  static void Close(Handle handle) { CloseHandle(handle); }
};

struct RegistryKeyKind {
  using Handle = HKEY;
  static Handle None() { return nullptr; }
  static void Close(Handle handle) { RegCloseKey(handle); }
};

// A window this program made and must destroy (a modeless dialog); one that has been
// destroyed already, with its owner, is left alone.
struct WindowKind {
  using Handle = HWND;
  static Handle None() { return nullptr; }
  static void Close(Handle handle) {
    if (IsWindow(handle)) DestroyWindow(handle);
  }
};

// A bitmap or font a window made for its controls.
struct GdiObjectKind {
  using Handle = HGDIOBJ;
  static Handle None() { return nullptr; }
  static void Close(Handle handle) { DeleteObject(handle); }
};

struct IconKind {
  using Handle = HICON;
  static Handle None() { return nullptr; }
  static void Close(Handle handle) { DestroyIcon(handle); }
};

// Memory the shell hands back (a path, a list of shell items), freed by CoTaskMemFree
// also when the call that filled it failed.
template <typename Pointer>
struct TaskMemoryKind {
  using Handle = Pointer;
  static Handle None() { return nullptr; }
  static void Close(Handle memory) { CoTaskMemFree(memory); }
};

using FileHandle = UniqueHandle<FileKind>;
using FindHandle = UniqueHandle<FindKind>;
using KernelHandle = UniqueHandle<KernelObjectKind>;
using RegistryKey = UniqueHandle<RegistryKeyKind>;
using WindowHandle = UniqueHandle<WindowKind>;
using GdiObject = UniqueHandle<GdiObjectKind>;
using IconHandle = UniqueHandle<IconKind>;
template <typename Pointer>
using TaskMemory = UniqueHandle<TaskMemoryKind<Pointer>>;

}  // namespace vantrel::platform::win32
