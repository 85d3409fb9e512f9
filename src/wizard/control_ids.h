// The wizard's control ids by what they are (template 130).
#pragma once

namespace wizard {

enum ControlId : int {
  kBackButton = 1000,
  kBrowseButton = 1001,
  kNextButton = 1002,
  kLicencePrompt = 1005,
  kLicenceText = 1006,
  kAcceptBox = 1007,
  kDestinationLabel = 1008,
  kPathBox = 1009,
  kDriveSpaceLabel = 1011,
  kRequiredSpaceLabel = 1012,
  kRequiredSpaceValue = 1013,
  kSideBanner = 1014,
  kDriveSpaceValue = 1015,
  kFreeSpaceLabel = 1016,
  kFreeSpaceValue = 1017,
  kUnusedBrowseButton = 1018,
  kLogoPicture = 1019,
  kProgressBar = 1020,
  kUnusedInstallingText = 1021,
  kWelcomeNote = 1023,
  kWelcomeGuide = 1024,
  kWelcomeTitle = 1025,
  kUnusedStatic = 1026,
  kCancelButton = 1027,
  kLaunchBox = 1029,
  kFinishNote = 1030,
  kFinishInstalled = 1031,
  kFinishTitle = 1032,
  kHeaderTitle = 1033,
  kHeaderLine = 1034,
  kUnusedInstallingTitle = 1035,
  kUnusedLocationTitle = 1038,
  kNoticeLabel = 1039,
  kBottomLine = 1040,
};

}  // namespace wizard
