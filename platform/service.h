// The process-wide services: one object of each kind that the whole program uses (the
// file system, the settings store, the desktop, the clock, the main window, the game
// runner). Each kind answers with its default until a program or a test installs
// another; a ScopedService installs one for its own lifetime and puts the earlier one
// back, so `main` and every test swap services the same way. One thread runs the
// launcher's code, so a plain pointer per kind is enough.
#pragma once

#include <utility>

namespace vantrel::platform {

template <typename T>
class Service {
 public:
  static T& Get() { return installed_ != nullptr ? *installed_ : Default(); }

  // Installs `service` (the caller keeps it) and returns the one it replaced; nullptr
  // goes back to the default.
  static T* Install(T* service) { return std::exchange(installed_, service); }

 private:
  // Defined once per kind, beside the kind, and declared there for every user.
  static T& Default();

  static inline T* installed_ = nullptr;
};

template <typename T>
class ScopedService {
 public:
  // Installs `service` (nullptr: the default) until this object goes.
  explicit ScopedService(T* service) : previous_(Service<T>::Install(service)) {}
  explicit ScopedService(T& service) : ScopedService(&service) {}
  ~ScopedService() { Service<T>::Install(previous_); }
  ScopedService(const ScopedService&) = delete;
  ScopedService& operator=(const ScopedService&) = delete;

 private:
  T* previous_;
};

}  // namespace vantrel::platform
