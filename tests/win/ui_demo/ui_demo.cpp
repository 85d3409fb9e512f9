// ui_demo BANNER LOGO [PAGE [SECONDS]]
//
// Opens the install wizard's window with a stand-in page logic that flips
// through the page layouts of the wizard's page table on Next and Back, with
// the two images loaded into the side banner (1014) and the logo (1019). PAGE (0 welcome .. 4
// finish) is the page to open on; PAGE -1 first shows the extraction dialog
// (template 102) filling its bar, then the welcome page. With SECONDS the
// wizard closes by itself after that long, for screenshots.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/resource_ids.h"
#include "app/wizard_window/colours.h"
#include "app/wizard_window/wizard_window.h"
#include "ui/app.h"
#include "ui/control.h"
#include "ui/dialog.h"
#include "wizard/control_ids.h"
#include "wizard/install_wizard.h"
#include "wizard/wizard_pages.h"

namespace {

using namespace wizard;

// Pages by their row in the page table.
constexpr int kFirstPage = 0;
constexpr int kLastPage = kPageCount - 1;

const char kDemoLicence[] =
    "QUILL WRITER LICENCE AGREEMENT\r\n\r\n"
    "1. You may install and use one copy of Quill Writer on each of your computers.\r\n"
    "2. Quill Writer comes without any warranty.\r\n"
    "3. This is a demonstration text, shown to look at the licence page.";

class DemoWizard final : public wizard_window::WizardEvents {
 public:
  DemoWizard(wizard_window::WizardWindow& window, std::string banner, std::string logo,
             int firstPage)
      : window_(window),
        banner_(std::move(banner)),
        logo_(std::move(logo)),
        firstPage_(firstPage) {}

  void OnInitDialog() override {
    window_.SetCaption("Quill Writer 1.0 Setup");
    window_.SetText(kWelcomeTitle, "Welcome to the Quill Writer Installation Wizard");
    window_.SetText(kWelcomeGuide,
                    "This wizard will guide you through the installation of Quill Writer.");
    window_.SetText(kNoticeLabel, "Quill Writer 1.0 - Acme Writing Tools");
    window_.FitNoticeLabel();
    window_.LoadImageFile(kSideBanner, banner_);
    window_.LoadImageFile(kLogoPicture, logo_);
    window_.SetText(kLicenceText, kDemoLicence);
    window_.SetText(kPathBox, "C:\\Program Files\\Quill Writer");
    window_.SetBackColor(kLicenceText, RGB(255, 255, 255));
    window_.SetBackColor(kPathBox, RGB(255, 255, 255));
    for (int id : {kRequiredSpaceValue, kDriveSpaceValue, kFreeSpaceValue}) {
      window_.SetBackColor(id, RGB(244, 245, 249));
    }
    window_.SetText(kDriveSpaceValue, "62.745098 GB");
    window_.SetText(kFreeSpaceValue, "40.125000 GB");
    window_.SetText(kFinishTitle, "Completing the Quill Writer Installation Wizard");
    window_.SetText(kFinishInstalled, "Quill Writer has been installed on your computer.");
    window_.SetText(kLaunchBox, "Launch Quill Writer");
    window_.SetCheck(kLaunchBox, true);
    window_.SetProgress(kProgressBar, 60);
    if (firstPage_ != kFirstPage) {
      ShowPage(firstPage_);
    }
  }
  void OnNext() override {
    if (page_ == kLastPage) {
      window_.EndWizard(DialogResult::Ok);
    } else {
      ShowPage(page_ + 1);
    }
  }
  void OnBack() override {
    if (page_ > kFirstPage) {
      ShowPage(page_ - 1);
    }
  }
  void OnAcceptClicked() override { window_.Enable(kNextButton, window_.GetCheck(kAcceptBox)); }
  void OnBrowse() override {}
  void OnPathChanged() override {}
  void OnCloseRequested() override { window_.EndWizard(DialogResult::Cancel); }

 private:
  // Each page laid out as the wizard's page table says.
  void ShowPage(int page) {
    page_ = page;
    const PageRow& row = CInstallWizard::kPages[page];
    for (const int id : kTemplateControls) {
      const bool shown = row.shown.Has(id);
      window_.Show(id, shown);
      if (shown) {
        window_.Enable(id, !row.disabled.Has(id));
      }
    }
    // A title that the page keeps is the template's on a first visit.
    window_.SetText(kHeaderTitle,
                    row.headerTitle != nullptr ? row.headerTitle : "\n\n\tLicense Agreement");
    window_.SetText(kNextButton, row.nextCaption);
    if (static_cast<Page>(page) == Page::kLicence) {
      window_.Enable(kNextButton, window_.GetCheck(kAcceptBox));
    }
  }

  wizard_window::WizardWindow& window_;
  std::string banner_;
  std::string logo_;
  int firstPage_;
  int page_ = kFirstPage;
};

// The extraction dialog's looks and furniture: icon, timer, colours, the
// minimised painting; its bar fills in four seconds and it ends itself.
class ExtractionPreview final : public ui::CDialog {
 public:
  ExtractionPreview()
      : CDialog(IDD_EXEEXTRACTOR_DIALOG),
        m_hIcon(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))),
        m_brush(::CreateSolidBrush(wizard_window::kDialogBackColour)) {}
  ~ExtractionPreview() { ::DeleteObject(m_brush); }

 protected:
  bool OnInitDialog() override {
    m_progress.SubclassDlgItem(IDC_EXTRACT_PROGRESS, m_hWnd);
    SetIcon(m_hIcon, true);
    SetIcon(m_hIcon, false);
    m_nTimer = SetTimer(1, 160);
    return true;
  }
  void OnTimer(UINT_PTR) override {
    m_nPercent += 4;
    if (m_nPercent >= 100) {
      KillTimer(m_nTimer);
      EndDialog(IDOK);
      return;
    }
    ::SetDlgItemTextA(m_hWnd, IDC_EXTRACT_PERCENT, (std::to_string(m_nPercent) + "%").c_str());
    m_progress.SetPos(m_nPercent);
  }
  HBRUSH OnCtlColor(HDC dc, HWND control, ui::CtlColor kind) override {
    HBRUSH brush = CDialog::OnCtlColor(dc, control, kind);
    if (kind != ui::CtlColor::Static) {
      return brush;
    }
    ::SetBkColor(dc, wizard_window::kDialogBackColour);
    ::SetTextColor(dc, wizard_window::kTextColour);
    ::SetBkMode(dc, OPAQUE);
    return m_brush;
  }
  bool OnEraseBkgnd(HDC dc) override {
    FillClientArea(dc, m_brush);
    return true;
  }
  bool OnPaint() override { return PaintIfMinimised(m_hIcon); }
  HICON OnQueryDragIcon() override { return m_hIcon; }

 private:
  ui::CProgressCtrl m_progress;
  HICON m_hIcon;
  HBRUSH m_brush;
  UINT_PTR m_nTimer = 0;
  int m_nPercent = 0;
};

wizard_window::WizardWindow* g_closingWindow = nullptr;

void CALLBACK CloseDemo(HWND, UINT, UINT_PTR, DWORD) {
  if (g_closingWindow != nullptr) {
    g_closingWindow->EndWizard(DialogResult::Cancel);
  }
}

class DemoApp final : public ui::CWinApp {
 public:
  void InitInstance() override {
    const std::string banner = __argc > 1 ? __argv[1] : "";
    const std::string logo = __argc > 2 ? __argv[2] : "";
    int page = __argc > 3 ? std::atoi(__argv[3]) : 0;
    if (page == -1) {
      ExtractionPreview extraction;
      extraction.DoModal();
    }
    if (page < kFirstPage || page > kLastPage) {
      page = kFirstPage;
    }
    const int seconds = __argc > 4 ? std::atoi(__argv[4]) : 0;

    wizard_window::WizardWindow window;
    DemoWizard demo(window, banner, logo, page);
    if (seconds > 0) {
      g_closingWindow = &window;
      ::SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000U, CloseDemo);
    }
    window.Run(demo);
    g_closingWindow = nullptr;
  }
};

DemoApp theApp;

}  // namespace
