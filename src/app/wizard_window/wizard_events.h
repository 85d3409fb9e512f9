// What the wizard's window reports to its page logic. The window calls these
// from inside its message handling; the page logic answers through the
// wizard::ControlSurface that the window also is. The page logic knows
// nothing of this window: an adapter (app::WizardSession) passes each event
// on to it.
#pragma once

namespace wizard_window {

class WizardEvents {
 public:
  // The controls exist and are bound, the title font is set; the window is
  // not shown yet.
  virtual void OnInitDialog() = 0;
  // BN_CLICKED of Next (1002), Back (1000), the accept box (1007, already
  // toggled by itself) and Browse (1001).
  virtual void OnNext() = 0;
  virtual void OnBack() = 0;
  virtual void OnAcceptClicked() = 0;
  virtual void OnBrowse() = 0;
  // EN_CHANGE of the path box (1009).
  virtual void OnPathChanged() = 0;
  // Cancel (1027) or the window's close command (WM_CLOSE). Esc and Enter
  // are not reported: they never end the wizard.
  virtual void OnCloseRequested() = 0;

 protected:
  ~WizardEvents() = default;
};

}  // namespace wizard_window
