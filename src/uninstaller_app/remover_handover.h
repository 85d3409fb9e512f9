// Hands the uninstaller's own files over to a copy of the remover in a fresh
// private folder under the temporary folder, which runs once the uninstaller
// has ended.
#pragma once

#include "uninstall/uninstaller.h"

namespace uninstaller_app {

class RemoverHandover final : public uninstall::RemoverStart {
 public:
  bool Start(const std::string& folder) override;
};

}  // namespace uninstaller_app
