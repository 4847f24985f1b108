// Any bytes as the settings file: decoded (UTF-8 or UTF-16LE) and parsed. A file that
// reads whole must come back the same when written and read again, since the store
// rewrites it on every change and must lose nothing of it.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry_file_format.h"

using vantrel::platform::EncodeRegistryText;
using vantrel::platform::FormatRegistryFile;
using vantrel::platform::ParsedRegistryFile;
using vantrel::platform::ParseRegistryFile;
using vantrel::platform::RegistryText;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<RegistryText> text = vantrel::platform::DecodeRegistryText(bytes);
  if (!text) return 0;
  const ParsedRegistryFile parsed = ParseRegistryFile(text->text);
  if (parsed.damagedLine != 0) {
    if (parsed.damage.empty()) std::abort();
    return 0;
  }
  const std::string written = FormatRegistryFile(parsed.file);
  const ParsedRegistryFile reread = ParseRegistryFile(written);
  if (reread.damagedLine != 0 || FormatRegistryFile(reread.file) != written) std::abort();
  const std::optional<RegistryText> encoded =
      vantrel::platform::DecodeRegistryText(EncodeRegistryText(written, text->encoding));
  if (!encoded || encoded->text != written) std::abort();
  return 0;
}
