// Reads an extended dialog template (DLGTEMPLATEEX) back from the
// executable's resources, for checking what the resource compiler made of
// the resource script. Every read is bounded by the resource's size.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ui_tests {

struct DialogItem {
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0, y = 0, width = 0, height = 0;
  int id = 0;
  std::string className;  // ordinals as their class names
  std::string text;       // ANSI
};

struct DialogTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  int width = 0, height = 0;
  std::string caption;
  int pointSize = 0;
  std::string fontName;
  std::vector<DialogItem> items;
};

// False when the resource is missing or is not a well-formed DLGTEMPLATEEX.
bool LoadDialogTemplate(int id, DialogTemplate& dialog);

// The bytes of a resource of this executable; empty when missing.
std::string ResourceBytes(LPCSTR type, LPCSTR name);

}  // namespace ui_tests
