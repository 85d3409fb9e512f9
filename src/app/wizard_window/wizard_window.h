// The install wizard's window: dialog template 130 with its bound controls,
// its title font, colours and painting. It is the Win32 side of
// wizard::ControlSurface, and it reports the user's actions to a
// WizardEvents; which page shows what is the page logic's business.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/wizard_window/wizard_events.h"
#include "ui/color_static.h"
#include "ui/dialog.h"
#include "ui/picture_ctrl.h"
#include "wizard/control_surface.h"

namespace wizard_window {

// ControlSurface first: the base with the most overrides shares the
// object's address, so its calls need no adjusting thunks and its functions
// no second place in the virtual table (160 bytes of the 64-bit runtime).
class WizardWindow : public wizard::ControlSurface, public ui::CDialog {
 public:
  WizardWindow();
  ~WizardWindow();

  // Runs the wizard modally, reporting to `events` until EndWizard. Returns
  // IDOK or IDCANCEL, or -1 when the window could not be created.
  INT_PTR Run(WizardEvents& events, HWND parent = nullptr);

  // --- wizard::ControlSurface, by template control id ---------------------
  void Show(int id, bool visible) override;
  void Enable(int id, bool enabled) override;
  void SetText(int id, const std::string& text) override;
  std::string GetText(int id) override;
  void SetCheck(int id, bool checked) override;
  bool GetCheck(int id) override;
  void SetProgress(int id, int position) override;
  // Only the coloured statics have a background colour; others ignore it.
  void SetBackColor(int id, std::uint32_t rgb) override;
  // Only the two pictures load images; others fail with
  // ERROR_INVALID_WINDOW_HANDLE.
  bool LoadImageFile(int id, const std::string& path) override;
  void SetCaption(const std::string& caption) override;
  void FitNoticeLabel() override;
  void GreyCloseCommand() override;
  void EndWizard(wizard::DialogResult result) override;

 protected:
  bool OnInitDialog() override;
  // Neither Enter nor Esc ends the wizard: it ends through its own buttons.
  void OnOK() override {}
  void OnCancel() override {}
  bool OnCommand(int id, int code, HWND control) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, ui::CtlColor kind) override;
  bool OnEraseBkgnd(HDC dc) override;
  bool OnPaint() override;
  bool OnClose() override;

 private:
  // Binds the member controls to their template controls.
  void BindControls();
  // The bold title font, created anew for each run of the window.
  void ApplyTitleFont();
  ui::CColorStatic* ColorStaticOf(int id);
  ui::CPictureCtrl* PictureOf(int id);

  WizardEvents* m_events = nullptr;

  // Bound controls, in the order of the ids in wizard_window.cpp.
  ui::CColorStatic m_colorStatics[5];
  ui::CPictureCtrl m_sideBanner;
  ui::CPictureCtrl m_logo;

  HFONT m_fontTitle = nullptr;
  // One brush per colour for the window's whole life.
  HBRUSH m_brushDialog;
  HBRUSH m_brushHeader;
  HBRUSH m_brushLicence;
};

}  // namespace wizard_window
