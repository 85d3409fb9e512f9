#include "mksetup/commands/runtime_scopes.h"

#include <algorithm>

#include "format/runtime_scopes.h"
#include "mksetup/commands/runtime_marker.h"

namespace mksetup {

bool RuntimeScopes::Installs(package::InstallScope scope) const {
  switch (scope) {
    case package::InstallScope::Machine:
      return machine;
    case package::InstallScope::User:
      return user;
    case package::InstallScope::Either:
      return either;
  }
  return false;
}

RuntimeScopes RuntimeScopesOf(std::span<const std::uint8_t> image, const PeImage& pe) {
  const auto names = RuntimeMarkerNames(image, pe, SETUPKIT_RUNTIME_SCOPES_MARKER);
  if (!names) return RuntimeScopes{};
  const auto named = [&](package::InstallScope scope) {
    return std::find(names->begin(), names->end(), package::ScopeName(scope)) != names->end();
  };
  return RuntimeScopes{named(package::InstallScope::Machine), named(package::InstallScope::User),
                       named(package::InstallScope::Either)};
}

std::string RuntimeScopeMismatch(const std::string& runtime, package::InstallScope scope) {
  if (scope == package::InstallScope::Either) {
    // The choice needs the all-users half of a per-user run, which no
    // runtime has yet.
    return "--scope either is not yet supported: the setup runtime " + runtime +
           " cannot let the person choose between one user and the machine; build with "
           "--scope user or --scope machine";
  }
  return "the setup runtime " + runtime + " does not install " +
         (scope == package::InstallScope::User ? "for one user, which --scope user"
                                               : "for the machine, which --scope machine") +
         " asks for";
}

}  // namespace mksetup
