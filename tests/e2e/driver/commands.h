// The driver's commands. Words are separated by blanks; a word in double
// quotes may hold blanks and the escapes \n \t \r \" \\.
//
//   start PROGRAM [ARG...]          start the program under test
//   start-command LINE              start it from a whole command line, quotes and all
//   window CAPTION                  wait for its top-level dialog with that caption
//   expect ID STATE...              STATE: visible hidden enabled disabled checked unchecked
//   layout PAGE                     every control as the wizard's page table lays PAGE out
//                                   (welcome, licence, destination, installing, finish)
//   text ID TEXT                    the control's text is exactly TEXT
//   wait-text ID TEXT               wait until it is
//   wait STATE ID                   wait until the control is in that state
//   caption TEXT                    the current dialog's caption is exactly TEXT
//   click ID                        posts BM_CLICK to the control (does not block)
//   key ID escape|return            posts the key to the control, as typing it would
//   close                           posts WM_CLOSE to the current dialog
//   close-button greyed|available   the title bar's close button as drawn (greyed system menu
//   Close) box CAPTION TEXT BUTTON         wait for a message box, check its text, press
//   OK|CANCEL|YES|NO|TRYAGAIN|CONTINUE;
//                                   a TEXT ending in "*" matches any text that starts with the rest
//   no-box                          no other dialog of the program is open
//   dialog CAPTION BUTTON           wait for another dialog (e.g. the folder browser), press
//   OK|CANCEL wait-dialog CAPTION             wait for another dialog and leave it open (to take a
//   screenshot) env NAME VALUE                  set a variable in the environment that start passes
//   on gone                            wait until the current dialog is closed screenshot FILE.bmp
//   the screen as a 24-bit BMP exit CODE                       wait for the program to end with
//   that exit code sleep MS timeout MS                      how long the wait commands wait
//   (default 20000)
//   hold-mutex NAME [administrators] create the named mutex and hold it while the driver runs,
//                                   owned by the Administrators when the word says so
//   hold FILE                       opens FILE with read sharing only, until the driver ends
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace driver {

bool SplitWords(const std::string& line, std::vector<std::string>& words, std::string& error);

class Session {
 public:
  ~Session();
  bool Run(const std::vector<std::string>& words, std::string& error);
  // Ends the program under test if it still runs.
  void Abandon();

 private:
  bool Start(const std::vector<std::string>& words, std::string& error);
  HWND FindDialog(const std::string& caption, HWND except) const;
  bool WaitFor(const std::string& what, std::string& error, bool (*test)(Session&, void*),
               void* context);
  bool Control(const std::string& id, HWND& control, std::string& error) const;

  PROCESS_INFORMATION process_{};
  bool started_ = false;
  HWND dialog_ = nullptr;
  DWORD timeoutMs_ = 20000;

  friend struct Waits;
};

}  // namespace driver
