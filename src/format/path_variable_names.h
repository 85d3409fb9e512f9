// The names the setup program knows between two "%" signs of a template, one
// list for the setup program and mksetup: PathExpander::GetPathVariable
// takes a name's variable from here, and mksetup warns about any other name
// in a script, which loses its "%" signs and stays in the path as text.
#pragma once

#include <cstddef>
#include <iterator>
#include <optional>
#include <string_view>

namespace format {

// In the order of kPathVariableNames.
enum class PathVariable {
  ProductName,
  ProductVersion,
  CompanyName,
  InstallPath,
  UserName,
  ComputerName,
  Language,
  ProgramFiles,
  WindowDir,
  SystemDir,
  CommonFiles,
  TempDir,
  Desktop,
  ProgramDir,
  StartMenu,
  Favorites,
  Templates,
  Startup,
  AppData,
};

inline constexpr const char* kPathVariableNames[] = {
    "%ProductName%",  "%ProductVersion%", "%CompanyName%",  "%InstallPath%", "%UserName%",
    "%ComputerName%", "%Language%",       "%ProgramFiles%", "%WindowDir%",   "%SystemDir%",
    "%CommonFiles%",  "%TempDir%",        "%Desktop%",      "%ProgramDir%",  "%StartMenu%",
    "%Favorites%",    "%Templates%",      "%Startup%",      "%AppData%",
};
inline constexpr std::size_t kPathVariableCount = std::size(kPathVariableNames);
static_assert(kPathVariableCount == static_cast<std::size_t>(PathVariable::AppData) + 1);

// The variable that piece, the text between the two "%", names exactly
// (letter case included); nothing for any other text.
std::optional<PathVariable> PathVariableNamed(std::string_view piece);

}  // namespace format
