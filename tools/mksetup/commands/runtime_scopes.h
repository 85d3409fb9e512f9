// Which scopes a setup runtime installs in, as its marker says
// (format/runtime_scopes.h), so that build refuses a scope the setup program
// could not honour.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "format/payload_contract.h"
#include "mksetup/pe/pe_image.h"

namespace mksetup {

struct RuntimeScopes {
  bool machine = true;  // a runtime without the marker installs for the machine only
  bool user = false;
  bool either = false;

  bool Installs(format::InstallScope scope) const;
};

RuntimeScopes RuntimeScopesOf(std::span<const std::uint8_t> image, const PeImage& pe);

// Why build refuses the scope with this runtime, for the message.
std::string RuntimeScopeMismatch(const std::string& runtime, format::InstallScope scope);

}  // namespace mksetup
