// CExeExtractorDlg: the small "Extracting Files Please Wait..." dialog
// (template 102). Half a second after it appears its one-shot timer writes
// the payload into the staging folder and runs the install wizard.
#pragma once

#include <windows.h>

#include <string>

#include "ui/control.h"
#include "package/extraction.h"
#include "ui/dialog.h"
#include "unattended/exit_codes.h"

namespace app {

// The raw lines after "[logo]" and "[Header]" in the setup script.
extern std::string g_logoPath;
extern std::string g_headerPath;

// The extraction without its window, for every mode of the run: the
// payload's checksum checked, the staging folder made ours, the payload
// written into it and the picture paths read. A failure shows (or logs) its
// message and ends the process.
void StagePayload(package::ProgressCallback progress);
// Shows (or, silent, logs) the failure with the application's name as
// caption and ends the process with the code.
[[noreturn]] void Fail(const std::string& message, unattended::ExitCode code);
// "Extracted: PATH (N bytes)" in the log.
void LogExtractedEntry(const std::string& path);

class CExeExtractorDlg final : public ui::CDialog {
 public:
  CExeExtractorDlg();

  // The extraction driver: the payload into the staging folder, then the
  // wizard.
  void ExtractPayload();

 protected:
  bool OnInitDialog() override;
  void OnTimer(UINT_PTR id) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, ui::CtlColor kind) override;
  bool OnEraseBkgnd(HDC dc) override;
  bool OnPaint() override;
  HICON OnQueryDragIcon() override { return m_hIcon; }

 private:
  void RunWizard();

  ui::CProgressCtrl m_progress;
  HICON m_hIcon;
  UINT_PTR m_nTimer = 0;
  HBRUSH m_brushBackground;
};

}  // namespace app
