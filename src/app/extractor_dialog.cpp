#include "app/extractor_dialog.h"

#include <vector>

#include "format/joined_text.h"
#include "format/decimal_text.h"
#include "app/app_texts.h"
#include "app/payload_resource.h"
#include "app/resource_ids.h"
#include "app/script_scanner.h"
#include "app/wizard_session.h"
#include "app/wizard_window/colours.h"
#include "package/extraction.h"
#include "format/payload_archive.h"
#include "package/payload_checksum.h"
#include "package/staging_folder.h"
#include "platform/win32/win32_platform.h"
#include "script/script_reader.h"

namespace app {

namespace {

constexpr UINT_PTR kExtractTimer = 1;
constexpr UINT kExtractDelayMs = 500;

}  // namespace

CExeExtractorDlg::CExeExtractorDlg(SetupRun& run)
    : ui::CDialog(IDD_EXEEXTRACTOR_DIALOG),
      m_run(run),
      m_hIcon(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_brushBackground(::CreateSolidBrush(wizard_window::kDialogBackColour)) {}

bool CExeExtractorDlg::OnInitDialog() {
  m_progress.SubclassDlgItem(IDC_EXTRACT_PROGRESS, m_hWnd);
  SetIcon(m_hIcon, true);
  SetIcon(m_hIcon, false);
  m_nTimer = SetTimer(kExtractTimer, kExtractDelayMs);
  if (m_run.NoCancel()) {
    ::EnableMenuItem(::GetSystemMenu(m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  }
  return true;
}

void CExeExtractorDlg::OnCancel() {
  if (!m_run.NoCancel()) ui::CDialog::OnCancel();
}

void CExeExtractorDlg::OnTimer(UINT_PTR) {
  // Killed first: the extraction and the whole wizard run inside this one
  // message, and the handler must never run twice.
  KillTimer(m_nTimer);
  ExtractPayload();
}

void CExeExtractorDlg::ExtractPayload() {
  const HWND percentLabel = GetDlgItem(IDC_EXTRACT_PERCENT);
  // The label shows a percentage before each entry, the bar after it.
  const auto show = [&](package::ProgressStep step, unsigned percent) {
    if (step == package::ProgressStep::Label) {
      const std::string text = format::Joined({format::DecimalDigits(percent), "%"});
      ui::SetWindowText(percentLabel, text.c_str());
    } else {
      m_progress.SetPos(static_cast<int>(percent));
    }
  };
  StagePayload(m_run, show);
  if (m_run.Display() == unattended::Display::ProgressOnly) {
    // /SILENT: the same window shows the installing progress, then the
    // process ends.
    ui::SetWindowText(m_hWnd, "Installing");
    m_run.EndWithInstallation(m_run.InstallSilently([&](int percent) {
      show(package::ProgressStep::Label, static_cast<unsigned>(percent));
      show(package::ProgressStep::Bar, static_cast<unsigned>(percent));
    }));
  }

  // The dialog disappears now; its modal run ends when this tick returns.
  EndDialog(1);
  RunWizard();
}

void StagePayload(SetupRun& run, package::ProgressCallback progress) {
  platform::FileSystem& files = win32::Win32Platform().files;
  ScriptRulesScanner scanner;
  PayloadResource payload;
  if (payload.Block().empty()) run.Fail(kNoPayload, unattended::ExitCode::DamagedSetup);
  // Before anything is written: a damaged download must install nothing.
  // A program without a checksum (made by another tool) goes on unchecked.
  if (package::CheckPayloadChecksum(payload.Block(), payload.HasChecksum(), payload.Checksum()) ==
      package::ChecksumVerdict::Mismatch) {
    run.Fail(kChecksumMismatch, unattended::ExitCode::DamagedSetup);
  }
  // Nothing is written before the folder is known to be ours.
  const std::string stagingFolder = script::StagingFolder(files);
  if (run.Logging()) run.LogLine("Staging folder: ", stagingFolder);
  const package::StagingResult staging = package::PrepareStagingFolder(files, stagingFolder);
  if (staging.status != package::StagingStatus::Ready)
    run.Fail(staging.message, unattended::ExitCode::NoStaging);
  // With a log, each entry is logged once its file is written: the
  // archive's entries in order, one bar step each.
  std::vector<package::ArchiveEntry> entries;
  std::string ignored;
  if (run.Logging()) package::ReadArchiveIndex(payload.Block(), entries, ignored);
  std::size_t written = 0;
  win32::Win32Threads threads;
  package::ExtractionResult result = package::ExtractArchive(
      files, threads, payload.Block(), stagingFolder, scanner,
      [&](package::ProgressStep step, unsigned percent) {
        if (progress) progress(step, percent);
        if (step == package::ProgressStep::Bar && written < entries.size()) {
          LogExtractedEntry(
              run, stagingFolder + entries[written++].name);  // the folder ends with a backslash
        }
      });
  switch (result.status) {
    case package::ExtractionStatus::Ok:
      break;
    case package::ExtractionStatus::CannotCreate:  // an old staged file that cannot be replaced
    case package::ExtractionStatus::CannotWrite:
      run.Fail(result.message, unattended::ExitCode::NoStaging);
    case package::ExtractionStatus::DamagedArchive:
    case package::ExtractionStatus::DamagedStream:
      run.Fail(kDamagedPrefix + result.message, unattended::ExitCode::DamagedSetup);
  }
  if (!result.hasScript) run.Fail(kNoScript, unattended::ExitCode::DamagedSetup);
  run.logoPath = std::move(result.logoPath);
  run.headerPath = std::move(result.headerPath);
}

void CExeExtractorDlg::RunWizard() {
  platform::Platform host = m_run.Host();
  WizardSession session(host, m_run.logoPath, m_run.headerPath);
  session.StartInFolder(m_run.CommandLineFolder());
  if (m_run.LinksForAllUsers()) session.PutLinksForAllUsers();
  session.PutScope(m_run.Scope());
  const INT_PTR result = session.Run();
  if (!session.InstallNote().empty()) m_run.LogLine(session.InstallNote());
  m_run.EndWithInstallation(result == IDOK ? unattended::ExitCode::Installed
                                           : unattended::ExitCode::Cancelled);
}

void LogExtractedEntry(SetupRun& run, const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  // A payload entry's size has 32 bits.
  run.LogLine(format::Joined(
      {"Extracted: ", path, " (", format::DecimalDigits(data.nFileSizeLow), " bytes)"}));
}

HBRUSH CExeExtractorDlg::OnCtlColor(HDC dc, HWND control, ui::CtlColor kind) {
  HBRUSH brush = ui::CDialog::OnCtlColor(dc, control, kind);
  if (kind != ui::CtlColor::Static) return brush;
  ::SetBkColor(dc, wizard_window::kDialogBackColour);
  ::SetTextColor(dc, wizard_window::kTextColour);
  ::SetBkMode(dc, OPAQUE);
  return m_brushBackground;
}

bool CExeExtractorDlg::OnEraseBkgnd(HDC dc) {
  FillClientArea(dc, m_brushBackground);
  return true;
}

bool CExeExtractorDlg::OnPaint() { return PaintIfMinimised(m_hIcon); }

}  // namespace app
