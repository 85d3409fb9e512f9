// The page table and the one routine that lays a page out from it.
#include "wizard/wizard_pages.h"

#include "wizard/control_ids.h"
#include "wizard/install_wizard.h"
#include "wizard/wizard_texts.h"

namespace wizard {

namespace {

// The header band of the inner pages (logo, title, the etched line under
// them) and the notice with the line above the buttons.
constexpr ControlSet kHeaderBand = {kLogoPicture, kHeaderLine, kHeaderTitle};
constexpr ControlSet kBottomBand = {kNoticeLabel, kBottomLine};
constexpr ControlSet kButtons = {kBackButton, kNextButton, kCancelButton};
constexpr ControlSet kWelcomeControls = {kSideBanner, kWelcomeNote, kWelcomeGuide, kWelcomeTitle};
constexpr ControlSet kLicenceControls = {kLicencePrompt, kLicenceText, kAcceptBox};
constexpr ControlSet kDestinationControls = {
    kDestinationLabel, kPathBox,        kDriveSpaceLabel, kRequiredSpaceLabel, kRequiredSpaceValue,
    kDriveSpaceValue,  kFreeSpaceLabel, kFreeSpaceValue,  kBrowseButton};
constexpr ControlSet kFinishControls = {kSideBanner, kFinishNote, kFinishInstalled, kFinishTitle,
                                        kLaunchBox};

}  // namespace

// A new page is a row here, in the order of Page, with its set-up and its
// moves as members of the wizard.
constinit const PageRow CInstallWizard::kPages[kPageCount] = {
    // Welcome: also the template's own initial states, so the window opens on
    // it without a layout. Next decides by the licence flag.
    {
        .number = kWelcomePage,
        .shown = kWelcomeControls | kButtons,
        .disabled = {kBackButton},
        .nextCaption = texts::kNextCaption,
        .headerTitle = nullptr,
        .setUp = &CInstallWizard::SetUpWelcomePage,
        .next = {Page::kWelcome, &CInstallWizard::LeaveWelcomePage},
        .back = {Page::kWelcome},
    },
    // Licence: "Accept" stays disabled until the box is checked. The title
    // keeps its text: the template's until Back from the destination page
    // has set the second spelling.
    {
        .number = kLicencePage,
        .shown = kHeaderBand | kBottomBand | kLicenceControls | kButtons,
        .disabled = {kNextButton},
        .nextCaption = texts::kAcceptCaption,
        .headerTitle = nullptr,
        .setUp = &CInstallWizard::SetUpLicencePage,
        .next = {Page::kDestination},
        .back = {Page::kWelcome},
    },
    // Destination: the set-up fills the folder, locks it when the script
    // says so and checks its drive, which may disable Next. Back decides by
    // the licence flag again.
    {
        .number = kDestinationPage,
        .shown = kHeaderBand | kBottomBand | kDestinationControls | kButtons,
        .disabled = {kPathBox},
        .nextCaption = texts::kNextCaption,
        .headerTitle = texts::kInstallationLocationTitle,
        .setUp = &CInstallWizard::SetUpDestinationPage,
        .next = {Page::kDestination, &CInstallWizard::RunInstallingStep},
        .back = {Page::kDestination, &CInstallWizard::BackFromDestination},
    },
    // Installing: shown while the installing step runs inside the
    // destination page's Next click, which ends on the finish page.
    {
        .number = kDestinationPage,
        .shown = kHeaderBand | kBottomBand | ControlSet{kProgressBar} | kButtons,
        .disabled = kButtons,
        .nextCaption = texts::kNextCaption,
        .headerTitle = texts::kInstallingTitle,
        .setUp = nullptr,
        .next = {Page::kInstalling},
        .back = {Page::kInstalling},
    },
    // Finish: Back is gone and Cancel disabled; the set-up also greys the
    // window's Close command.
    {
        .number = kFinishPage,
        .shown = kFinishControls | ControlSet{kNextButton, kCancelButton},
        .disabled = {kCancelButton},
        .nextCaption = texts::kFinishCaption,
        .headerTitle = nullptr,
        .setUp = &CInstallWizard::SetUpFinishPage,
        .next = {Page::kFinish, &CInstallWizard::FinishClick},
        .back = {Page::kFinish},
    },
};

void CInstallWizard::ShowPage(Page page) {
  const PageRow& row = kPages[static_cast<int>(page)];
  for (const int id : kTemplateControls) {
    const bool shown = row.shown.Has(id);
    surface_.Show(id, shown);
    if (shown) surface_.Enable(id, !row.disabled.Has(id));
  }
  SetFixedText(kNextButton, row.nextCaption);
  if (row.headerTitle != nullptr) {
    SetFixedText(kHeaderTitle, texts::kHeaderTitleBlank);
    SetFixedText(kHeaderTitle, row.headerTitle);
  }
  page_ = page;
  if (row.setUp != nullptr) (this->*row.setUp)();
}

}  // namespace wizard
