#!/bin/sh
# Fails when an include runs against the layers: base includes nothing of the
# project but base, the formats (src/format) nothing but base and themselves,
# the dialog framework (src/ui) must know nothing of the wizard, the
# unattended run or the program, the wizard's page logic nothing of any
# window, <windows.h> must stay in the Windows-only folders, and only the
# uninstaller's code sees the removal calls. Prints each offending line with its file and line.
#
#   includes_point_down.sh SOURCE_FOLDER   (the checkout's src/)
set -u
src=${1:?usage: includes_point_down.sh SOURCE_FOLDER}
status=0

# forbid FOLDER PATTERN WHY: no line of FOLDER's sources (its win32/ left
# out) matches PATTERN.
forbid() {
  found=$(grep -rnE --include='*.h' --include='*.cpp' --exclude-dir=win32 "$2" "$src/$1")
  if [ -n "$found" ]; then
    printf '%s\n' "$found"
    echo "  ^ $3"
    status=1
  fi
}

# only FOLDER ALLOWED WHY: every project include of FOLDER's sources names a
# file under one of the ALLOWED folders (an alternation such as "base|format").
only() {
  found=$(grep -rnE --include='*.h' --include='*.cpp' '#include "' "$src/$1" |
    grep -vE "#include \"($2)/")
  if [ -n "$found" ]; then
    printf '%s\n' "$found"
    echo "  ^ $3"
    status=1
  fi
}

only base 'base' "src/base is the floor of small helpers: it includes nothing above it"
only format 'base|format' \
  "src/format is what the setup program and mksetup share: it includes only base and itself"
forbid ui '#include "(wizard|unattended|install|app)/' \
  "src/ui is the generic dialog framework: the wizard's window belongs in src/app/wizard_window"
forbid wizard '#include "(ui|app)/' \
  "src/wizard is the page logic: it reaches its window only through wizard::ControlSurface"
for folder in "$src"/*/; do
  name=$(basename "$folder")
  case $name in
    ui | app | uninstaller_app) ;;
    *) forbid "$name" '#include <windows\.h>' \
      "only src/ui, src/app, src/platform/win32 and src/uninstaller_app include <windows.h>" ;;
  esac
done
# The setup program removes nothing: its layers never see the removal calls.
for folder in "$src"/*/; do
  name=$(basename "$folder")
  case $name in
    platform | uninstall | uninstaller_app) ;;
    *) forbid "$name" '#include "platform/(win32/win32_)?removal\.h"' \
      "only src/uninstall and src/uninstaller_app see the removal calls (platform/removal.h)" ;;
  esac
done
exit $status
