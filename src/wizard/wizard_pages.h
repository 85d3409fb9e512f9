// The wizard's pages as data: for each page the controls it shows (every
// other control of template 130 is hidden), which of them are disabled, its
// Next caption and header title, the set-up that fills it after the layout,
// and what Next and Back do there. The table itself is
// CInstallWizard::kPages (wizard_pages.cpp); the page logic, the silent run
// and the tests all read it.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "wizard/control_ids.h"
#include "wizard/wizard_controls.h"

namespace wizard {

class CInstallWizard;

// The page number the wizard reports. The installing step has no number of
// its own: it runs inside one Next click while the number is still the
// destination's.
enum WizardPage : int {
  kWelcomePage = 1,
  kLicencePage = 2,
  kDestinationPage = 3,
  kFinishPage = 4,
};

// The page the wizard shows, as a row of the table; the installing page is
// one of them.
enum class Page : unsigned char { kWelcome, kLicence, kDestination, kInstalling, kFinish };
inline constexpr int kPageCount = 5;

// Every control of template 130, in template order.
#define SETUPKIT_TEMPLATE_CONTROL_ID(id, ...) id,
inline constexpr int kTemplateControls[] = {WIZARD_CONTROLS(SETUPKIT_TEMPLATE_CONTROL_ID)};
#undef SETUPKIT_TEMPLATE_CONTROL_ID

// A set of the template's controls: one bit per id from kBackButton on.
class ControlSet {
 public:
  constexpr ControlSet() = default;
  constexpr ControlSet(std::initializer_list<int> ids) {
    for (const int id : ids) bits_ |= Bit(id);
  }
  constexpr ControlSet operator|(ControlSet other) const {
    ControlSet both;
    both.bits_ = bits_ | other.bits_;
    return both;
  }
  constexpr bool Has(int id) const {
    return id >= kBackButton && id < kBackButton + 64 && (bits_ & Bit(id)) != 0;
  }

 private:
  static constexpr std::uint64_t Bit(int id) { return std::uint64_t{1} << (id - kBackButton); }
  std::uint64_t bits_ = 0;
};

// A page's own work, or what a button does there: a member of the wizard.
using PageHandler = void (CInstallWizard::*)();

// What Next or Back does on a page: run the handler, which decides, or
// without one show the page `to`. A row whose move leads to its own page
// leaves that button without effect there.
struct Move {
  Page to;
  PageHandler run = nullptr;
};

struct PageRow {
  // What CurrentPage() reports while the page shows.
  WizardPage number;
  // The controls the page shows; the template's others are hidden.
  ControlSet shown;
  // Of those shown, the ones disabled; the others are enabled.
  ControlSet disabled;
  const char* nextCaption;
  // Set blank first, then to this; nullptr: the title keeps its text.
  const char* headerTitle;
  // Fills the page after its layout: texts, checks, the states that depend
  // on the script or the machine. nullptr: nothing more.
  PageHandler setUp;
  Move next;
  Move back;
};

}  // namespace wizard
