// Hands the uninstaller's own files over to a copy of the remover in a fresh
// folder, which runs once the uninstaller has ended. Elevated, the folder is
// a private one in the system's temporary folder (win32::MakePrivateFolder);
// otherwise it is in the user's temporary folder.
#pragma once

#include "uninstall/uninstaller.h"

namespace uninstaller_app {

class RemoverHandover final : public uninstall::RemoverStart {
 public:
  bool Start(const std::string& folder, unsigned createdAbove) override;
};

}  // namespace uninstaller_app
