// The narrow surface through which the wizard's page logic changes its
// window. The Win32 dialog maps each call to the control's HWND; tests use a
// recording surface. Controls are addressed by their template id.
#pragma once

#include <cstdint>
#include <string>

namespace wizard {

// An RGB colour as the system packs it: 0x00BBGGRR.
constexpr std::uint32_t Rgb(unsigned r, unsigned g, unsigned b) {
  return static_cast<std::uint32_t>(r | (g << 8) | (b << 16));
}

enum class DialogResult { Ok = 1, Cancel = 2 };

class ControlSurface {
  // Never deleted through this interface: no destructor in its table.
 protected:
  ~ControlSurface() = default;

 public:
  virtual void Show(int id, bool visible) = 0;
  virtual void Enable(int id, bool enabled) = 0;
  virtual void SetText(int id, const std::string& text) = 0;
  virtual std::string GetText(int id) = 0;
  // BM_SETCHECK / BM_GETCHECK.
  virtual void SetCheck(int id, bool checked) = 0;
  virtual bool GetCheck(int id) = 0;
  // PBM_SETPOS.
  virtual void SetProgress(int id, int position) = 0;
  // CColorStatic::SetBackColor of a coloured static.
  virtual void SetBackColor(int id, std::uint32_t rgb) = 0;
  // CPictureCtrl::LoadImageFile of a picture control.
  virtual bool LoadImageFile(int id, const std::string& path) = 0;
  // The window's caption.
  virtual void SetCaption(const std::string& caption) = 0;
  // Resizes the notice label to its current text (done once, at start-up).
  virtual void FitNoticeLabel() = 0;
  // Greys the Close item of the window's system menu.
  virtual void GreyCloseCommand() = 0;
  // Ends the wizard's modal run.
  virtual void EndWizard(DialogResult result) = 0;
};

}  // namespace wizard
