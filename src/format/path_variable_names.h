// The names the setup program knows between two "%" signs of a template
// (PathExpander::GetPathVariable looks each up, in its own order). Any other
// name loses its "%" signs and stays in the path as text; mksetup warns
// about such a name in a script.
#pragma once

namespace format {

inline constexpr const char* kPathVariableNames[] = {
    "%ProductName%",  "%ProductVersion%", "%CompanyName%",  "%InstallPath%", "%UserName%",
    "%ComputerName%", "%Language%",       "%ProgramFiles%", "%WindowDir%",   "%SystemDir%",
    "%CommonFiles%",  "%TempDir%",        "%Desktop%",      "%ProgramDir%",  "%StartMenu%",
    "%Favorites%",    "%Templates%",      "%Startup%",      "%AppData%",
};

}  // namespace format
