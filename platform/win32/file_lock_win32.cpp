// File locks on Windows: LockFileEx on the lock file, opened for sharing so that every
// process can open it and the byte-range lock alone decides who holds it. Windows
// releases the lock when the handle closes, which it does when the process ends; the
// handle is not inheritable, so a game started meanwhile does not keep it. A reparse
// point at the lock file's name is opened itself, never followed.
#include "platform/file_lock.h"

#include "platform/win32/text_win32.h"
#include "platform/win32/unique_handle.h"

namespace vantrel::platform {
namespace {

win32::FileHandle OpenLockFile(const std::wstring& path, DWORD access, DWORD disposition) {
  return win32::FileHandle(CreateFileW(path.c_str(), access,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, disposition,
                                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                                       nullptr));
}

}  // namespace

FileLock::~FileLock() {
  if (native_ != kNoFile) CloseHandle(reinterpret_cast<HANDLE>(native_));
}

FileLock TakeFileLock(const std::string& lockPath, std::chrono::milliseconds wait) {
  constexpr DWORD kRetryMilliseconds = 50;
  const std::optional<std::wstring> path = win32::WidePath(lockPath);
  if (!path) return FileLock(FileLock::State::Unavailable);
  win32::FileHandle file = OpenLockFile(*path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
  // A folder that this user may not write still lets an existing lock file be locked
  // through a handle opened for reading.
  if (!file.valid()) file = OpenLockFile(*path, GENERIC_READ, OPEN_EXISTING);
  if (!file.valid()) return FileLock(FileLock::State::Unavailable);

  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(wait.count());
  for (;;) {
    OVERLAPPED start{};
    if (LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                   &start)) {
      return FileLock(FileLock::State::Held, reinterpret_cast<std::intptr_t>(file.release()));
    }
    if (GetLastError() != ERROR_LOCK_VIOLATION) return FileLock(FileLock::State::Unavailable);
    if (GetTickCount64() >= deadline) return FileLock(FileLock::State::Busy);
    Sleep(kRetryMilliseconds);
  }
}

}  // namespace vantrel::platform
