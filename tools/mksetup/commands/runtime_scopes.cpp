#include "mksetup/commands/runtime_scopes.h"

#include <algorithm>

#include "format/runtime_scopes.h"
#include "mksetup/commands/runtime_marker.h"

namespace mksetup {

bool RuntimeScopes::Installs(format::InstallScope scope) const {
  switch (scope) {
    case format::InstallScope::Machine:
      return machine;
    case format::InstallScope::User:
      return user;
    case format::InstallScope::Either:
      return either;
  }
  return false;
}

RuntimeScopes RuntimeScopesOf(std::span<const std::uint8_t> image, const PeImage& pe) {
  const auto names = RuntimeMarkerNames(image, pe, SETUPKIT_RUNTIME_SCOPES_MARKER);
  if (!names) return RuntimeScopes{};
  const auto named = [&](format::InstallScope scope) {
    return std::find(names->begin(), names->end(), format::ScopeName(scope)) != names->end();
  };
  return RuntimeScopes{named(format::InstallScope::Machine), named(format::InstallScope::User),
                       named(format::InstallScope::Either)};
}

std::string RuntimeScopeMismatch(const std::string& runtime, format::InstallScope scope) {
  if (scope == format::InstallScope::Either) {
    // The choice needs the all-users half of a per-user run, which no
    // runtime has yet.
    return "--scope either is not yet supported: the setup runtime " + runtime +
           " cannot let the person choose between one user and the machine; build with "
           "--scope user or --scope machine";
  }
  return "the setup runtime " + runtime + " does not install " +
         (scope == format::InstallScope::User ? "for one user, which --scope user"
                                              : "for the machine, which --scope machine") +
         " asks for";
}

}  // namespace mksetup
