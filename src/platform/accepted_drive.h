// Which drives an installation may go to: fixed and removable ones. A
// network share, a CD, a RAM disk or a root the system does not know does
// not take files, so the destination page refuses it and the file pass
// does not write there.
#pragma once

#include "platform/platform.h"

namespace platform {

inline bool IsAcceptedDrive(DriveKind kind) {
  return kind == DriveKind::Fixed || kind == DriveKind::Removable;
}

}  // namespace platform
