#include "app/extractor_dialog.h"

#include "app/app_texts.h"
#include "app/payload_resource.h"
#include "app/script_scanner.h"
#include "app/wizard_session.h"
#include "package/extraction.h"
#include "package/payload_checksum.h"
#include "package/staging_folder.h"
#include "platform/win32/win32_platform.h"
#include "script/script_reader.h"
#include "ui/colours.h"
#include "ui/resource_ids.h"

namespace app {

std::string g_logoPath;
std::string g_headerPath;

namespace {

constexpr UINT_PTR kExtractTimer = 1;
constexpr UINT kExtractDelayMs = 500;

}  // namespace

CExeExtractorDlg::CExeExtractorDlg()
    : ui::CDialog(IDD_EXEEXTRACTOR_DIALOG),
      m_hIcon(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_brushBackground(::CreateSolidBrush(ui::kDialogBackColour)) {}

bool CExeExtractorDlg::OnInitDialog() {
  m_progress.SubclassDlgItem(IDC_EXTRACT_PROGRESS, m_hWnd);
  SetIcon(m_hIcon, true);
  SetIcon(m_hIcon, false);
  m_nTimer = SetTimer(kExtractTimer, kExtractDelayMs);
  return true;
}

void CExeExtractorDlg::OnTimer(UINT_PTR) {
  // Killed first: the extraction and the whole wizard run inside this one
  // message, and the handler must never run twice.
  KillTimer(m_nTimer);
  ExtractPayload();
}

void CExeExtractorDlg::ExtractPayload() {
  platform::Platform& machine = win32::Win32Platform();
  ScriptRulesScanner scanner;
  package::ExtractionResult result;
  {
    PayloadResource payload;
    if (payload.Block().empty()) Fail(kNoPayload);
    // Before anything is written: a damaged download must install nothing.
    // A program without a checksum (made by another tool) goes on unchecked.
    if (package::CheckPayloadChecksum(payload.Block(), payload.HasChecksum(), payload.Checksum()) ==
        package::ChecksumVerdict::Mismatch) {
      Fail(kChecksumMismatch, kDamagedExitCode);
    }
    // Nothing is written before the folder is known to be ours.
    const std::string stagingFolder = script::StagingFolder(machine.files);
    const package::StagingResult staging = package::PrepareStagingFolder(machine.files, stagingFolder);
    if (staging.status != package::StagingStatus::Ready) Fail(staging.message, kStagingExitCode);
    const HWND percentLabel = GetDlgItem(IDC_EXTRACT_PERCENT);
    result = package::ExtractArchive(
        machine.files, payload.Block(), stagingFolder, scanner,
        [&](package::ProgressStep step, unsigned percent) {
          if (step == package::ProgressStep::Label) {
            const std::string text = std::to_string(percent) + "%";
            ::SetWindowTextA(percentLabel, text.c_str());
          } else {
            m_progress.SetPos(static_cast<int>(percent));
          }
        });
  }
  switch (result.status) {
    case package::ExtractionStatus::Ok:
      break;
    case package::ExtractionStatus::CannotCreate:
      // An old file in the staging folder that cannot be replaced.
      Fail(result.message, kStagingExitCode);
    case package::ExtractionStatus::CannotWrite:
      Fail(result.message);
    case package::ExtractionStatus::DamagedArchive:
    case package::ExtractionStatus::DamagedStream:
      Fail(kDamagedPrefix + result.message);
  }
  if (!result.hasScript) Fail(kNoScript);
  g_logoPath = result.logoPath;
  g_headerPath = result.headerPath;

  // The dialog disappears now; its modal run ends when this tick returns.
  EndDialog(1);
  RunWizard();
}

void CExeExtractorDlg::RunWizard() {
  WizardSession session(win32::Win32Platform(), g_logoPath, g_headerPath);
  session.Run();
}

void CExeExtractorDlg::Fail(const std::string& message, unsigned exitCode) {
  win32::Win32Platform().messages.Show(platform::MessageKind::Warning, message);
  ::ExitProcess(exitCode);
}

HBRUSH CExeExtractorDlg::OnCtlColor(HDC dc, HWND control, ui::CtlColor kind) {
  HBRUSH brush = ui::CDialog::OnCtlColor(dc, control, kind);
  if (kind != ui::CtlColor::Static) return brush;
  ::SetBkColor(dc, ui::kDialogBackColour);
  ::SetTextColor(dc, ui::kTextColour);
  ::SetBkMode(dc, OPAQUE);
  return m_brushBackground;
}

bool CExeExtractorDlg::OnEraseBkgnd(HDC dc) {
  FillClientArea(dc, m_brushBackground);
  return true;
}

bool CExeExtractorDlg::OnPaint() { return PaintIfMinimised(m_hIcon); }

}  // namespace app
