// The drives an installation goes to: fixed and removable ones, nothing else
// the system can answer.
#include <gtest/gtest.h>

#include "platform/accepted_drive.h"

namespace {

using platform::DriveKind;

TEST(AcceptedDrive, OnlyFixedAndRemovableDrivesTakeAnInstallation) {
  EXPECT_TRUE(platform::IsAcceptedDrive(DriveKind::Fixed));
  EXPECT_TRUE(platform::IsAcceptedDrive(DriveKind::Removable));
  for (const DriveKind refused :
       {DriveKind::Unknown, DriveKind::NoRoot, DriveKind::Remote, DriveKind::CdRom,
        DriveKind::RamDisk, static_cast<DriveKind>(7)}) {
    EXPECT_FALSE(platform::IsAcceptedDrive(refused)) << static_cast<unsigned>(refused);
  }
}

}  // namespace
