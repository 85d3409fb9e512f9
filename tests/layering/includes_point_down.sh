#!/bin/sh
# Fails when an include runs against the layers. Each folder of src/ (and
# mksetup, tools/mksetup) has the list of folders it may include; a folder
# without one fails too, so that a new folder gets its place. <windows.h>
# must stay in the Windows-only folders, and only the uninstaller's code sees
# the removal calls. Prints each offending line with its file and line.
#
#   includes_point_down.sh SOURCE_FOLDER   (the checkout's src/)
set -u
src=${1:?usage: includes_point_down.sh SOURCE_FOLDER}
mksetup=$src/../tools/mksetup
status=0

# only FOLDER ALLOWED WHY: every project include of FOLDER's sources (a path
# from src/ or tools/) names a file under one of the ALLOWED folders (an
# alternation such as "base|format"). The LZMA SDK's headers, named without
# a folder, are not the project's.
only() {
  found=$(grep -rnE --include='*.h' --include='*.cpp' '#include "[^"/]+/' "$1" |
    grep -vE "#include \"($2)/")
  if [ -n "$found" ]; then
    printf '%s\n' "$found"
    echo "  ^ $3"
    status=1
  fi
}

# The layers, lowest first; platform is the machine as every layer from
# package up reaches it, and sits on format.
checked=""
layer() {
  checked="$checked $1 "
  only "$src/$1" "$2" "$3"
}
layer base 'base' "src/base is the floor of small helpers: it includes nothing above it"
layer format 'base|format' \
  "src/format is what the setup program, the uninstaller and mksetup share: it includes only base and itself"
layer platform 'base|format|platform' \
  "src/platform is the machine as the layers see it: it includes only base, format and itself"
layer package 'base|format|platform|package' \
  "src/package (extraction, codecs, SHA-256) sits on format and the platform"
layer script 'base|format|platform|package|script' \
  "src/script reads the setup script: nothing of the installing step or above"
layer install 'base|format|platform|package|script|install' \
  "src/install is the installing step: nothing of the wizard or above"
layer wizard 'base|format|platform|package|script|install|wizard' \
  "src/wizard is the page logic: it reaches its window only through wizard::ControlSurface"
layer unattended 'base|format|platform|package|script|install|wizard|unattended' \
  "src/unattended is the silent run over the page logic: nothing of any window or program"
layer uninstall 'base|format|platform|install|uninstall' \
  "src/uninstall is the uninstaller's logic: what it shares with mksetup is in format, nothing of the script, the wizard or the silent run"
layer ui 'base|format|platform|ui' \
  "src/ui is the generic dialog framework: the wizard's window belongs in src/app/wizard_window"
layer entry 'base|platform|ui|entry' \
  "src/entry is the process start-up: it runs the dialog framework's application and nothing of a program"
layer app 'base|format|platform|package|script|install|wizard|unattended|ui|app' \
  "src/app is the setup program: nothing of the uninstaller"
layer uninstaller_app 'base|format|platform|uninstall|uninstaller_app' \
  "src/uninstaller_app is the uninstall programs: over the uninstaller's logic, nothing of the setup program"
only "$mksetup" 'base|format|package|mksetup' \
  "mksetup shares with the setup program only src/format (and package's codecs and SHA-256)"

for folder in "$src"/*/; do
  name=$(basename "$folder")
  case $checked in
    *" $name "*) ;;
    *)
      echo "$src/$name"
      echo "  ^ a folder of src/ without its layer: give it its includes in tests/layering/includes_point_down.sh"
      status=1
      ;;
  esac
  case $name in
    ui | entry | app | uninstaller_app) ;;
    *)
      found=$(grep -rnE --include='*.h' --include='*.cpp' --exclude-dir=win32 '#include <windows\.h>' "$folder")
      if [ -n "$found" ]; then
        printf '%s\n' "$found"
        echo "  ^ only src/ui, src/entry, src/app, src/platform/win32 and src/uninstaller_app include <windows.h>"
        status=1
      fi
      ;;
  esac
done

# The setup program removes nothing: its layers never see the removal calls.
for folder in "$src"/*/; do
  name=$(basename "$folder")
  case $name in
    platform | uninstall | uninstaller_app) ;;
    *)
      found=$(grep -rnE --include='*.h' --include='*.cpp' '#include "platform/(win32/win32_)?removal\.h"' "$folder")
      if [ -n "$found" ]; then
        printf '%s\n' "$found"
        echo "  ^ only src/uninstall and src/uninstaller_app see the removal calls (platform/removal.h)"
        status=1
      fi
      ;;
  esac
done
exit $status
