// The uninstaller's questions and reports as message boxes.
#pragma once

#include "uninstall/uninstaller.h"

namespace uninstaller_app {

class MessageBoxPrompts final : public uninstall::Prompts {
 public:
  bool Confirm(const std::string& caption, const std::string& text) override;
  void Inform(const std::string& caption, const std::string& text) override;
  void Fail(const std::string& caption, const std::string& text) override;
};

}  // namespace uninstaller_app
