#include "page_layout.h"

#include <iterator>

#include "wizard/install_wizard.h"
#include "wizard/wizard_pages.h"

namespace driver {

namespace {

std::string TextOf(HWND window) {
  char text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  return std::string(text, copied);
}

}  // namespace

bool CheckPageLayout(HWND dialog, const std::string& page, std::string& error) {
  static const char* const kNames[] = {"welcome", "licence", "destination", "installing", "finish"};
  static_assert(std::size(kNames) == wizard::kPageCount);
  int index = 0;
  while (index < wizard::kPageCount && page != kNames[index]) ++index;
  if (index == wizard::kPageCount) {
    error = "no page " + page;
    return false;
  }
  const wizard::PageRow& row = wizard::CInstallWizard::kPages[index];
  std::string differences;
  for (const int id : wizard::kTemplateControls) {
    const std::string name = std::to_string(id);
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) {
      differences += " " + name + " missing;";
      continue;
    }
    const bool shown = row.shown.Has(id);
    if ((IsWindowVisible(control) != FALSE) != shown) {
      differences += " " + name + (shown ? " hidden;" : " visible;");
    } else if (shown && (IsWindowEnabled(control) != FALSE) == row.disabled.Has(id)) {
      differences += " " + name + (row.disabled.Has(id) ? " enabled;" : " disabled;");
    }
  }
  if (TextOf(GetDlgItem(dialog, wizard::kNextButton)) != row.nextCaption) {
    differences += " Next reads " + TextOf(GetDlgItem(dialog, wizard::kNextButton)) + ";";
  }
  if (row.headerTitle != nullptr &&
      TextOf(GetDlgItem(dialog, wizard::kHeaderTitle)) != row.headerTitle) {
    differences += " the header title differs;";
  }
  if (differences.empty()) return true;
  error = "the " + page + " page differs from the page table:" + differences;
  return false;
}

}  // namespace driver
