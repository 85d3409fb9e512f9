#include "app/product_mutex.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "base/little_endian.h"
#include "format/payload_contract.h"
#include "format/uninstall_key.h"
#include "platform/win32/instance_lock.h"

namespace app {

bool TakeProductMutex(std::span<const std::uint8_t> payload, format::InstallScope scope) {
  // The product's name: line 1 of the archive's first entry, the setup
  // script, as mksetup writes it. Read in place, every length checked
  // against the block; another first entry names no product.
  constexpr std::size_t kNameField = sizeof "log_file.txt";  // with its NUL
  static_assert(kNameField == std::char_traits<char>::length(format::kScriptEntryName) + 1);
  constexpr std::size_t kScriptStart = 4 + kNameField + 4;
  if (payload.size() < kScriptStart || base::LoadLe32(payload.data()) == 0 ||
      std::memcmp(payload.data() + 4, format::kScriptEntryName, kNameField) != 0) {
    return true;
  }
  const std::uint8_t* const script = payload.data() + kScriptStart;
  const std::size_t size =
      std::min<std::size_t>(base::LoadLe32(script - 4), payload.size() - kScriptStart);
  // The uninstall key holds this much of the name (format/uninstall_key.h).
  constexpr std::size_t kKeyName =
      259 - std::char_traits<char>::length(format::kUninstallKeyPrefix);
  // Built in place: the 32-bit setup runtime has little room for code.
  char name[MAX_PATH] = "setupkit-setup-";
  std::size_t at = std::strlen(name);
  for (std::size_t i = 0; i < size && i < kKeyName; ++i) {
    char c = static_cast<char>(script[i]);
    // The line ends at its CR LF or LF; no product name holds a control
    // character.
    if (static_cast<unsigned char>(c) < ' ') break;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    name[at++] = c == '\\' ? '/' : c;
  }
  name[at] = '\0';
  return win32::TakeInstanceLock(scope, name);
}

}  // namespace app
