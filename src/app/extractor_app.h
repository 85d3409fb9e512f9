// CExeExtractorApp: the application object. Its InitInstance runs the
// extraction dialog, inside whose one timer tick the whole setup runs.
#pragma once

#include "ui/app.h"

namespace app {

class CExeExtractorApp final : public ui::CWinApp {
 public:
  // Returns false: the program ends when the extraction dialog has ended.
  bool InitInstance() override;
};

}  // namespace app
