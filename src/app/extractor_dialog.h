// CExeExtractorDlg: the small "Extracting Files Please Wait..." dialog
// (template 102). Half a second after it appears its one-shot timer writes
// the payload into the staging folder and runs the install wizard.
#pragma once

#include <windows.h>

#include <string>

#include "app/setup_run.h"
#include "package/extraction.h"
#include "ui/control.h"
#include "ui/dialog.h"

namespace app {

// The extraction without its window, for every mode of the run: the
// payload's checksum checked, the staging folder made ours, the payload
// written into it and the picture paths read into the run. A failure shows
// (or logs) its message and ends the process.
void StagePayload(SetupRun& run, package::ProgressCallback progress);
// "Extracted: PATH (N bytes)" in the run's log.
void LogExtractedEntry(SetupRun& run, const std::string& path);

class CExeExtractorDlg final : public ui::CDialog {
 public:
  explicit CExeExtractorDlg(SetupRun& run);

  // The extraction driver: the payload into the staging folder, then the
  // wizard.
  void ExtractPayload();

 protected:
  bool OnInitDialog() override;
  void OnTimer(UINT_PTR id) override;
  // Esc and the close command; nothing with /NOCANCEL.
  void OnCancel() override;
  HBRUSH OnCtlColor(HDC dc, HWND control, ui::CtlColor kind) override;
  bool OnEraseBkgnd(HDC dc) override;
  bool OnPaint() override;
  HICON OnQueryDragIcon() override { return m_hIcon; }

 private:
  void RunWizard();

  SetupRun& m_run;
  ui::CProgressCtrl m_progress;
  HICON m_hIcon;
  UINT_PTR m_nTimer = 0;
  HBRUSH m_brushBackground;
};

}  // namespace app
