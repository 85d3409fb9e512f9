# Mapleleaf Viewer of Northwind Labs, written from docs/manual alone: the
# installation folder %ProgramFiles%\Northwind\Mapleleaf Viewer and the
# program group Northwind Labs\Mapleleaf Viewer, neither of whose parents
# exists on a fresh machine. Installed through the wizard and silently,
# uninstalled with the registered commands, and checked from outside: every
# file landed, and nothing the setup created is left, while a company folder
# that was there before stays with its file. Sourced by scripts/test-e2e,
# whose helpers it uses.

maple="$TOP/tests/e2e/mapleleaf_viewer"
maple_files="$out/mapleleaf_files"
maple_setup="$out/MapleleafSetup.exe"
# Each installed file as SOURCE:DESTINATION below the installation folder.
maple_installed_files=(mapleview.exe:mapleview.exe LICENCE.txt:LICENCE.txt plugins/png_codec.dll:plugins/png_codec.dll
  locales/en/messages.txt:locales/en/messages.txt locales/fr/messages.txt:locales/fr/messages.txt)
rm -rf "$maple_files" && cp -r "$maple/files" "$maple_files"
cp "$TOP/tests/e2e/inkwell_viewer/files/inkwell_logo.png" "$maple_files/mapleleaf_logo.png"
cp "$TOP/tests/e2e/inkwell_viewer/files/inkwell_side.png" "$maple_files/mapleleaf_side.png"
check "mksetup builds Mapleleaf Viewer's $arch setup program" \
  "$mksetup" build --arch "$arch" --script "$maple/log_file.txt" --files "$maple_files" -o "$maple_setup"

maple_company="$program_files\\Northwind"
maple_dir="$maple_company\\Mapleleaf Viewer"
maple_company_unix="$(wine_unix_path "$maple_company")"
maple_unix="$(wine_unix_path "$maple_dir")"
maple_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Mapleleaf Viewer'
maple_labs="$(folder_of Programs)\\Northwind Labs"
maple_labs_unix="$(wine_unix_path "$maple_labs")"
maple_group_unix="$(wine_unix_path "$maple_labs\\Mapleleaf Viewer")"

maple_landed() {
  local pair
  for pair in "${maple_installed_files[@]}"; do
    cmp -s "$maple_files/${pair%%:*}" "$maple_unix/${pair#*:}" || { echo "    not installed: ${pair#*:}"; return 1; }
  done
  for pair in UnInstaller.exe 'Remove Uninstaller.exe' Uninstallerpathtn.ini; do
    [ -s "$maple_unix/$pair" ] || { echo "    not installed: $pair"; return 1; }
  done
  link_points_at "$maple_labs\\Mapleleaf Viewer\\Mapleleaf Viewer.lnk" "$maple_dir\\mapleview.exe"
}
# The product writes its settings once it runs.
maple_runs() { printf '[view]\r\nzoom=150\r\n' > "$maple_unix/settings.ini"; }
maple_commands() {
  uninstall_command=$(reg_value "$maple_key" UninstallString | sed 's/^REG_SZ //')
  quiet_uninstall_command=$(reg_value "$maple_key" QuietUninstallString | sed 's/^REG_SZ //')
  [ -n "$uninstall_command" ] && [ -n "$quiet_uninstall_command" ]
}
maple_gone() {  # maple_gone [COMPANY_FOLDER_STAYS]
  removed_eventually "$maple_unix" || return 1
  if [ -n "${1:-}" ]; then
    [ -d "$maple_company_unix" ] || { echo "    the company folder that was there before is gone"; return 1; }
  else
    removed_eventually "$maple_company_unix" || return 1
  fi
  [ ! -e "$maple_labs_unix" ] || { echo "    still there: $maple_labs"; return 1; }
  ! key_exists "$maple_key" || { echo "    still there: the uninstall key"; return 1; }
  [ -z "$(reg_value 'HKLM\Software\Northwind Labs\Mapleleaf Viewer' InstallDir)" ] || { echo "    still there: InstallDir"; return 1; }
}

# Through the wizard, then the uninstall command answered Yes.
check "scenario mapleleaf_install" run_scenario mapleleaf_install "$maple_setup"
check "Mapleleaf Viewer: every file landed, the link too" maple_landed
check "Mapleleaf Viewer: the uninstall log records the folders setup made" \
  grep -qF "[folders]"$'\r' "$maple_unix/Uninstallerpathtn.ini"
maple_runs
check "Mapleleaf Viewer: the uninstall commands are registered" maple_commands
check "scenario mapleleaf_uninstall" run_scenario mapleleaf_uninstall
check "Mapleleaf Viewer: nothing the wizard's setup created is left" maple_gone

# Silently, with the company folder there before and holding another
# product's file; the quiet uninstall command.
mkdir -p "$maple_company_unix" && printf 'another product' > "$maple_company_unix/other.txt"
check "Mapleleaf Viewer: /S installs and ends with 0" silent 0 "$maple_setup" /S
check "Mapleleaf Viewer: every file landed, silently" maple_landed
maple_runs
check "Mapleleaf Viewer: the uninstall commands are registered again" maple_commands
check "scenario uninstall_silent (Mapleleaf Viewer)" run_scenario uninstall_silent
check "Mapleleaf Viewer: nothing the silent setup created is left" maple_gone stays
check "Mapleleaf Viewer: the company folder that was there keeps its file" \
  test "$(cat "$maple_company_unix/other.txt")" = 'another product'
rm -rf "$maple_company_unix"

# A program of the user replaces the emptied program group, which setup
# created in the user's Start menu, with a junction to a folder of its
# choosing: the uninstaller neither removes the junction's target nor
# anything through it, and names what it left.
maple_target="$WINEPREFIX/drive_c/ProgramData/Mapleleaf target"
check "Mapleleaf Viewer: /S installs once more" silent 0 "$maple_setup" /S
maple_plant_junction() {
  mkdir -p "$maple_target" && rm -rf "$maple_group_unix" && ln -s "$maple_target" "$maple_group_unix"
}
check "a junction replaces the program group's folder" maple_plant_junction
check "Mapleleaf Viewer: the uninstall commands are registered once more" maple_commands
check "scenario uninstall_silent_leftovers: the quiet uninstall over the junction ends with 2" \
  run_scenario uninstall_silent_leftovers
check "the junction's target is untouched" test -d "$maple_target"
check "the junction is named as a leftover" \
  grep -qF 'Mapleleaf Viewer: reached through a link or junction' "$temp_unix/Mapleleaf Viewer uninstall leftovers.txt"
check "everything else is gone" removed_eventually "$maple_unix"
rm -rf "$maple_target" "$maple_labs_unix" "$maple_company_unix"
