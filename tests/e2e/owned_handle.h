// An owner for the driver's handles that one call of the system closes (FreeLibrary,
// DeleteDC), so that every way out of a command gives them back.
#pragma once

#include <memory>
#include <type_traits>

namespace vantrel::e2e {

template <auto close>
struct CloseWith {
  template <typename Handle>
  void operator()(Handle handle) const {
    close(handle);
  }
};

template <typename Handle, auto close>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, CloseWith<close>>;

}  // namespace vantrel::e2e
