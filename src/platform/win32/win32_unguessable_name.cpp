#include "platform/win32/unguessable_name.h"

#include <windows.h>
// After <windows.h>, which it builds on.
#include <ntsecapi.h>

namespace win32 {

bool UnguessableName(char* name) {
  unsigned char bytes[kUnguessableNameLength / 2];
  // RtlGenRandom (advapi32's SystemFunction036): advapi32 is imported
  // already, where bcrypt's generator would bring in one more DLL.
  if (!RtlGenRandom(bytes, sizeof bytes)) return false;
  static constexpr char kDigits[] = "0123456789abcdef";
  for (std::size_t i = 0; i < sizeof bytes; ++i) {
    name[2 * i] = kDigits[bytes[i] >> 4];
    name[2 * i + 1] = kDigits[bytes[i] & 15];
  }
  name[kUnguessableNameLength] = '\0';
  return true;
}

}  // namespace win32
