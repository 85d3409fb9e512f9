// The whole screen as a 24-bit BMP file.
#pragma once

#include <string>

namespace driver {

bool SaveScreenshot(const std::string& path, std::string& error);

}  // namespace driver
