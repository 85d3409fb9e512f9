#include <windows.h>

#include <string_view>

#include "platform/win32/own_scope.h"

namespace win32 {

bool ReadOwnScope(format::InstallScope& scope) {
  scope = format::InstallScope::Machine;
  HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(format::kScopeResourceName),
                                format::kScopeResourceType);
  if (found == nullptr) return true;
  const void* data = ::LoadResource(nullptr, found);
  if (data == nullptr) return false;
  return format::ParseScopeName(
      std::string_view(static_cast<const char*>(data), ::SizeofResource(nullptr, found)), scope);
}

}  // namespace win32
