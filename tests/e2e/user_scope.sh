# Sourced by scripts/test-e2e with its helpers: the sample built for one
# user (--scope user) installs, upgrades and uninstalls below the user's
# profile and under HKEY_CURRENT_USER, and leaves nothing of the machine's:
# no key under HKEY_LOCAL_MACHINE, no file outside the profile. The setup
# runs take the unelevated way (SETUPKIT_TEST_UNELEVATED), as a per-user
# setup program runs; Wine starts the uninstaller elevated all the same.

user_variant() {  # user_variant NAME SED_PROGRAM [FILES]: variant, built with --scope user
  local script="$out/$1_log_file.txt"
  sed "$2" "$TOP/sample/quill_writer/setup/log_file.txt" > "$script"
  "$mksetup" build --arch "$arch" --scope user --stub "$test_runtime" --script "$script" \
    --files "${3:-$files}" -o "$out/$1.exe" > "$out/$1.build.log" 2>&1 ||
    { cat "$out/$1.build.log"; return 1; }
}
check "mksetup builds version 1.0 of the sample for one user" user_variant UserV1 \
  '3s/^2\.0/1.0/; s/^writer\.cfg|.*/&\nold.txt|%InstallPath%\\old.txt\r/; s/^Desktop|.*/&\nStart Menu|%InstallPath%\\writer.exe|Quill Writer 1.0\r/; s/^%InstallPath%\\launched\.txt.*/&\n%InstallPath%\\old.txt\r/' \
  "$v1_files"
check "mksetup builds version 2.0 of the sample for one user" user_variant UserV2 ''
check "mksetup list names the scope" \
  sh -c '"$1" list "$2" | grep -q "^scope: user (never asks for administrator rights"' - "$mksetup" "$out/UserV2.exe"
check "the per-user setup program asks for no administrator rights" \
  sh -c '! grep -qa requireAdministrator "$1" && grep -qa "level=\"asInvoker\"" "$1"' - "$out/UserV2.exe"

forget_installation
user_list_key='HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Quill Writer'
user_dir="$(folder_of 'Local AppData')\\Programs\\Acme\\Quill Writer"
user_unix=$(wine_unix_path "$user_dir")
user_log="$out/user_scope.log"
user_log_word="/LOG=Z:${user_log//\//\\}"
profile_unix=$(wine_unix_path "C:\\users\\$user")
touch "$out/user_scope.start"
user_silent() { SETUPKIT_TEST_UNELEVATED=1 silent "$@"; }

# ${PROGRAM_FILES} of the scenario is the setup program's: the user's here.
program_files="$(folder_of 'Local AppData')\\Programs" \
  check "scenario user_scope_wizard" run_scenario user_scope_wizard "$out/UserV2.exe"
check "/ALLUSERS to a per-user setup program ends with 3" \
  user_silent 3 "$out/UserV1.exe" /S /ALLUSERS "$user_log_word"
check "it installed nothing" test ! -e "$user_unix"
check "version 1.0 installs for the user silently" user_silent 0 "$out/UserV1.exe" /S "$user_log_word"
check "the run log says so" log_has "$user_log" 'Scope: user' 'Fresh install' \
  "Installation folder: $user_dir" 'Outcome: 0 (installed)'
check "writer.exe went into %LocalAppData%\\Programs\\Acme\\Quill Writer" cmp -s "$writer" "$user_unix/writer.exe"
check "the programs list's entry is under HKEY_CURRENT_USER" \
  expect_value "$user_list_key" InstallLocation "REG_SZ $user_dir"
check "its UninstallString" expect_value "$user_list_key" UninstallString "REG_SZ \"$user_dir\\UnInstaller.exe\""
check "its DisplayVersion" expect_value "$user_list_key" DisplayVersion 'REG_SZ 1.0'
check "the log's digest is recorded there" \
  sh -c 'test -n "$1"' - "$(reg_value "$user_list_key" UninstallLogSHA256)"
check "the uninstall log names the entry under HKEY_CURRENT_USER" grep -qF \
  $'\r\nHKEY_CURRENT_USER|SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quill Writer|\r\n' \
  "$user_unix/Uninstallerpathtn.ini"
check "the installed uninstaller asks for no administrator rights" \
  sh -c '! grep -qa requireAdministrator "$1" && grep -qa "level=\"asInvoker\"" "$1"' - "$user_unix/UnInstaller.exe"
check "the desktop link is the user's" link_points_at_writer "$(folder_of Desktop)\\Quill Writer.lnk" "$user_dir"
check "no entry under HKEY_LOCAL_MACHINE" key_absent "$uninstall_key"

check "version 2.0 installs over it silently" user_silent 0 "$out/UserV2.exe" /S "$user_log_word"
check "the run log says it upgraded from 1.0 in the same folder" log_has "$user_log" \
  "Installation folder: $user_dir" 'Upgrade from version 1.0'
check "the upgrade replaced writer.exe there" cmp -s "$writer" "$user_unix/writer.exe"
check "the entry's DisplayVersion is the new one" expect_value "$user_list_key" DisplayVersion 'REG_SZ 2.0'
check "the new uninstall log carries 1.0's file and link" \
  log_has "$user_unix/Uninstallerpathtn.ini" "$user_dir\\old.txt" 'Start Menu|Quill Writer 1.0'
check "still no entry under HKEY_LOCAL_MACHINE" key_absent "$uninstall_key"

quiet_uninstall_command=$(reg_value "$user_list_key" QuietUninstallString | sed 's/^REG_SZ //')
check "the quiet uninstall command is the per-user uninstaller's" \
  test "$quiet_uninstall_command" = "\"$user_dir\\UnInstaller.exe\" /S"
check "scenario uninstall_silent (the per-user installation)" run_scenario uninstall_silent
check "the per-user folder is gone, 1.0's file with it" removed_eventually "$user_unix"
check "the folders it made in %LocalAppData%\\Programs are gone" removed_eventually "$(dirname "$user_unix")"
check "the links are gone" test ! -e "$(wine_unix_path "$(folder_of Desktop)\\Quill Writer.lnk")" \
  -a ! -e "$(wine_unix_path "$(folder_of 'Start Menu')\\Quill Writer 1.0.lnk")"
check "the HKEY_CURRENT_USER entry is gone" key_absent "$user_list_key"
check "no entry under HKEY_LOCAL_MACHINE afterwards" key_absent "$uninstall_key"
check "the remover's copy is gone" test "$(remover_copies)" = 0
outside_profile() {  # files written since the per-user runs began, outside the user's profile
  find "$WINEPREFIX/drive_c" -type f -newer "$out/user_scope.start" -not -path "$profile_unix/*" 2>/dev/null
}
check "nothing was written outside the user's profile" test -d "$profile_unix" -a -z "$(outside_profile)"
