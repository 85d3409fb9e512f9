#include "app/wizard_window/wizard_window.h"

#include <commctrl.h>

#include <cstddef>
#include <cstdint>

#include "app/wizard_window/colours.h"
#include "app/wizard_window/wizard_template_id.h"
#include "wizard/control_ids.h"

namespace wizard_window {

namespace {

using namespace wizard;

// The controls that answer for themselves, and so are bound to a member: the
// ones the page logic colours, and the two pictures. Every other control is
// served by id alone. Ids fit in 16 bits, and the runtime counts its bytes.
using ControlId16 = std::uint16_t;
constexpr ControlId16 kColorStaticIds[] = {kLicenceText, kPathBox, kRequiredSpaceValue,
                                           kDriveSpaceValue, kFreeSpaceValue};
// The controls that get the title font, in the order they get it.
constexpr ControlId16 kTitleFontIds[] = {kWelcomeTitle, kUnusedInstallingTitle, kHeaderTitle,
                                         kUnusedLocationTitle, kFinishTitle};

template <typename T, std::size_t N>
constexpr std::size_t CountOf(const T (&)[N]) {
  return N;
}

// Sets a colour query's colours: `back` on black, opaque; returns `brush`.
HBRUSH Paint(HDC dc, COLORREF back, HBRUSH brush) {
  ::SetBkColor(dc, back);
  ::SetTextColor(dc, kTextColour);
  ::SetBkMode(dc, OPAQUE);
  return brush;
}

}  // namespace

WizardWindow::WizardWindow()
    : ui::CDialog(IDD_INSTALL_WIZARD),
      m_brushDialog(::CreateSolidBrush(kDialogBackColour)),
      m_brushHeader(::CreateSolidBrush(kHeaderBackColour)),
      m_brushLicence(::CreateSolidBrush(kLicenceBackColour)) {
  static_assert(CountOf(kColorStaticIds) == sizeof m_colorStatics / sizeof m_colorStatics[0]);
}

WizardWindow::~WizardWindow() {
  // The controls' windows went with the dialog, so nothing uses these now.
  if (m_fontTitle != nullptr) {
    ::DeleteObject(m_fontTitle);
  }
  ::DeleteObject(m_brushDialog);
  ::DeleteObject(m_brushHeader);
  ::DeleteObject(m_brushLicence);
}

INT_PTR WizardWindow::Run(WizardEvents& events, HWND parent) {
  m_events = &events;
  const INT_PTR result = DoModal(parent);
  m_events = nullptr;
  return result;
}

// --- Start-up ---------------------------------------------------------------

bool WizardWindow::OnInitDialog() {
  BindControls();
  ApplyTitleFont();
  if (m_events != nullptr) {
    m_events->OnInitDialog();
  }
  return true;
}

void WizardWindow::BindControls() {
  for (std::size_t i = 0; i < CountOf(kColorStaticIds); ++i) {
    m_colorStatics[i].SubclassDlgItem(kColorStaticIds[i], m_hWnd);
  }
  m_sideBanner.SubclassDlgItem(kSideBanner, m_hWnd);
  m_logo.SubclassDlgItem(kLogoPicture, m_hWnd);
}

void WizardWindow::ApplyTitleFont() {
  if (m_fontTitle != nullptr) {
    ::DeleteObject(m_fontTitle);  // the previous run's controls are gone
  }
  m_fontTitle =
      ::CreateFontA(16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, "Arial");
  for (int id : kTitleFontIds) {
    ::SendMessageA(GetDlgItem(id), WM_SETFONT, reinterpret_cast<WPARAM>(m_fontTitle), TRUE);
  }
}

// --- Messages ---------------------------------------------------------------

bool WizardWindow::OnCommand(int id, int code, HWND control) {
  if (m_events != nullptr) {
    if (code == BN_CLICKED) {
      switch (id) {
        case kNextButton:
          m_events->OnNext();
          return true;
        case kBackButton:
          m_events->OnBack();
          return true;
        case kAcceptBox:
          m_events->OnAcceptClicked();
          return true;
        case kBrowseButton:
          m_events->OnBrowse();
          return true;
        case kCancelButton:
          m_events->OnCloseRequested();
          return true;
        default:
          break;
      }
    } else if (code == EN_CHANGE && id == kPathBox) {
      m_events->OnPathChanged();
      return true;
    }
  }
  return ui::CDialog::OnCommand(id, code, control);
}

bool WizardWindow::OnClose() {
  if (m_events != nullptr) {
    m_events->OnCloseRequested();
  }
  return true;
}

HBRUSH WizardWindow::OnCtlColor(HDC dc, HWND control, ui::CtlColor kind) {
  // A coloured static answers first; the wizard's colours then win.
  HBRUSH brush = ui::CDialog::OnCtlColor(dc, control, kind);
  // The dialog's own query (WM_CTLCOLORDLG) has no control id.
  const int id = control != nullptr && control != m_hWnd
                     ? static_cast<int>(::GetWindowLongPtrA(control, GWLP_ID))
                     : 0;
  if (id == kHeaderTitle) {
    brush = Paint(dc, kHeaderBackColour, m_brushHeader);
  } else if (kind == ui::CtlColor::Static) {
    brush = Paint(dc, kDialogBackColour, m_brushDialog);
  }
  if (id == kLicenceText) {
    brush = Paint(dc, kLicenceBackColour, m_brushLicence);
  }
  return brush;
}

bool WizardWindow::OnEraseBkgnd(HDC dc) {
  FillClientArea(dc, m_brushDialog);
  return true;
}

bool WizardWindow::OnPaint() {
  // Minimised: the icon's background only, no icon of its own.
  return PaintIfMinimised(nullptr);
}

// --- wizard::ControlSurface -------------------------------------------------

void WizardWindow::Show(int id, bool visible) {
  ::ShowWindow(GetDlgItem(id), visible ? SW_SHOW : SW_HIDE);
}

void WizardWindow::Enable(int id, bool enabled) {
  ::EnableWindow(GetDlgItem(id), enabled ? TRUE : FALSE);
}

void WizardWindow::SetText(int id, const std::string& text) {
  ui::SetWindowText(GetDlgItem(id), text.c_str());
}

std::string WizardWindow::GetText(int id) { return ui::WindowText(GetDlgItem(id)); }

void WizardWindow::SetCheck(int id, bool checked) {
  ::SendMessageA(GetDlgItem(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool WizardWindow::GetCheck(int id) {
  return ::SendMessageA(GetDlgItem(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WizardWindow::SetProgress(int id, int position) {
  ::SendMessageA(GetDlgItem(id), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void WizardWindow::SetBackColor(int id, std::uint32_t rgb) {
  if (ui::CColorStatic* control = ColorStaticOf(id)) {
    control->SetBackColor(static_cast<COLORREF>(rgb));
  }
}

bool WizardWindow::LoadImageFile(int id, const std::string& path) {
  ui::CPictureCtrl* picture = PictureOf(id);
  if (picture == nullptr) {
    ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  return picture->LoadImageFile(path);
}

void WizardWindow::SetCaption(const std::string& caption) {
  ui::SetWindowText(m_hWnd, caption.c_str());
}

void WizardWindow::FitNoticeLabel() {
  HWND label = GetDlgItem(kNoticeLabel);
  if (label == nullptr) {
    return;
  }
  const std::string text = ui::WindowText(label);
  // GetTextExtentPoint32A counts in int; a label never holds more.
  const int length = text.size() < 0x7FFF ? static_cast<int>(text.size()) : 0x7FFF;

  // Measure with the label's own font, the dialog font.
  HDC dc = ::GetDC(label);
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageA(label, WM_GETFONT, 0, 0));
  HGDIOBJ previous = font != nullptr ? ::SelectObject(dc, font) : nullptr;
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(dc, &metrics);
  SIZE extent{};
  ::GetTextExtentPoint32A(dc, text.c_str(), length, &extent);
  const int right = extent.cx + metrics.tmAveCharWidth + 40;
  if (previous != nullptr) {
    ::SelectObject(dc, previous);
  }
  ::ReleaseDC(label, dc);

  RECT rect{};
  ::GetWindowRect(label, &rect);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
  // A left edge past the new right edge leaves an empty label, not a
  // negative width.
  const int width = right > rect.left ? right - rect.left : 0;
  // MoveWindow's own call, repainting.
  ::SetWindowPos(label, nullptr, rect.left, rect.top, width, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void WizardWindow::GreyCloseCommand() {
  if (HMENU menu = ::GetSystemMenu(m_hWnd, FALSE)) {
    ::EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED | MF_DISABLED);
  }
}

void WizardWindow::EndWizard(wizard::DialogResult result) {
  EndDialog(static_cast<INT_PTR>(result));
}

ui::CColorStatic* WizardWindow::ColorStaticOf(int id) {
  for (std::size_t i = 0; i < CountOf(kColorStaticIds); ++i) {
    if (kColorStaticIds[i] == id) {
      return &m_colorStatics[i];
    }
  }
  return nullptr;
}

ui::CPictureCtrl* WizardWindow::PictureOf(int id) {
  if (id == kSideBanner) {
    return &m_sideBanner;
  }
  if (id == kLogoPicture) {
    return &m_logo;
  }
  return nullptr;
}

}  // namespace wizard_window
