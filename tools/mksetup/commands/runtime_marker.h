// The texts a setup runtime carries for mksetup about what it can do (the
// codecs it decodes, the scopes it installs in): a marker and the names
// after it, space-separated up to a zero byte.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "mksetup/pe/pe_image.h"

namespace mksetup {

// The names after the first marker found in the image's sections other than
// the resources (an earlier setup program given as the runtime carries other
// runtimes' bytes there, in its payload); nothing when no section holds it.
// The names point into image.
std::optional<std::vector<std::string_view>> RuntimeMarkerNames(std::span<const std::uint8_t> image,
                                                                const PeImage& pe,
                                                                std::string_view marker);

}  // namespace mksetup
