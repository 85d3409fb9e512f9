// CExeExtractorApp: the application object. Its InitInstance runs the
// extraction dialog, inside whose one timer tick the whole setup runs.
#pragma once

#include "ui/app.h"

namespace app {

class CExeExtractorApp final : public ui::CWinApp {
 public:
  // Never returns: the run ends the process with its exit code.
  void InitInstance() override;
};

}  // namespace app
