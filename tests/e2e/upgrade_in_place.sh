# Sourced by scripts/test-e2e after its own scenarios, with its helpers: the
# programs list's values, and an upgrade over an installed version, checked
# from outside.

# Version 1.0 of the sample: one more file and one more link, which 2.0 (the
# sample itself) no longer has.
v1_files="$out/upgrade_v1_files"
cp -r "$files" "$v1_files" && printf 'only in 1.0' > "$v1_files/old.txt"
check "mksetup builds version 1.0 with a file and a link of its own" variant UpgradeV1 \
  '3s/^2\.0/1.0/; s/^writer\.cfg|.*/&\nold.txt|%InstallPath%\\old.txt\r/; s/^Desktop|.*/&\nStart Menu|%InstallPath%\\writer.exe|Quill Writer 1.0\r/; s/^%InstallPath%\\launched\.txt.*/&\n%InstallPath%\\old.txt\r/' \
  "$v1_files"

forget_installation
upgrade_log="$out/upgrade.log"
upgrade_log_word="/LOG=Z:${upgrade_log//\//\\}"
v1_dir='C:\Apps\Quill'
v1_unix=$(wine_unix_path "$v1_dir")
check "version 1.0 installs silently into a folder of its own" \
  silent 0 "$out/UpgradeV1.exe" /S "$upgrade_log_word" "/D=$v1_dir"
check "the run log says it was a fresh install" log_has "$upgrade_log" 'Fresh install'
# The size of what the setup program unpacks, as its destination page counts it.
unpacked_kib() { "$mksetup" list "$1" | awk '/ entries\)$/ { print int(($2 + 1023) / 1024) }'; }
check "the programs list's DisplayVersion" expect_value "$uninstall_key" DisplayVersion 'REG_SZ 1.0'
check "the programs list's Publisher" expect_value "$uninstall_key" Publisher 'REG_SZ Acme'
check "the programs list's InstallLocation" expect_value "$uninstall_key" InstallLocation "REG_SZ $v1_dir"
check "the programs list's EstimatedSize, in KiB" \
  expect_value "$uninstall_key" EstimatedSize "REG_DWORD $(printf '0x%x' "$(unpacked_kib "$out/UpgradeV1.exe")")"
check "the programs list's InstallDate" expect_value "$uninstall_key" InstallDate "REG_SZ $(date +%Y%m%d)"
check "the programs list's VersionMajor" expect_value "$uninstall_key" VersionMajor 'REG_DWORD 0x1'
check "the programs list's VersionMinor" expect_value "$uninstall_key" VersionMinor 'REG_DWORD 0x0'

v1_link="$(wine_unix_path "$(folder_of 'Start Menu')\\Quill Writer 1.0.lnk")"
check "version 2.0 without /D= installs silently" silent 0 "$setup" /S "$upgrade_log_word"
check "the upgrade went into the installed version's folder" cmp -s "$writer" "$v1_unix/writer.exe"
check "the run log says it upgraded from 1.0 there" log_has "$upgrade_log" \
  "Installation folder: $v1_dir" 'Upgrade from version 1.0'
entries_named() {  # the keys of the programs list whose DisplayName is Quill Writer
  wine_run reg query 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall' /s "$reg_view" 2>/dev/null |
    tr -d '\r' | grep -cE '^ +DisplayName +REG_SZ +Quill Writer$'
}
check "the programs list holds one Quill Writer" test "$(entries_named)" = 1
check "its DisplayVersion is the new one" expect_value "$uninstall_key" DisplayVersion 'REG_SZ 2.0'
check "its VersionMajor is the new one" expect_value "$uninstall_key" VersionMajor 'REG_DWORD 0x2'
check "the new uninstall log names 1.0's file and link" \
  log_has "$v1_unix/Uninstallerpathtn.ini" "$v1_dir\\old.txt" 'Start Menu|Quill Writer 1.0'
check "1.0's file and link are still there" test -f "$v1_unix/old.txt" -a -f "$v1_link"
check "the same version again is a repair" silent 0 "$setup" /S "$upgrade_log_word"
check "the run log says it was a repair" log_has "$upgrade_log" 'Repair of version 2.0'

quiet_uninstall_command=$(reg_value "$uninstall_key" QuietUninstallString | sed 's/^REG_SZ //')
check "scenario uninstall_silent, after the upgrade" run_scenario uninstall_silent
check "the upgraded folder is gone, 1.0's file with it" removed_eventually "$v1_unix"
check "1.0's Start Menu link is gone" test ! -e "$v1_link"
key_absent() { ! key_exists "$1"; }
check "the uninstall key is gone" key_absent "$uninstall_key"
check "the forgotten installation in the default folder was left alone" test -f "$installed/writer.exe"

# An installed log changed afterwards, as a program of the user could in a
# folder it may write: the upgrade does not carry it over, so its extra
# record never reaches a log that the digest vouches for.
check "version 1.0 installs again" silent 0 "$out/UpgradeV1.exe" /S "/D=$v1_dir"
victim='C:\ProgramData\victim.txt'
mkdir -p "$(dirname "$(wine_unix_path "$victim")")" && printf 'not the product' > "$(wine_unix_path "$victim")"
perl -0pi -e 's/\[\/files\]/C:\\ProgramData\\victim.txt\r\n[\/files]/' "$v1_unix/Uninstallerpathtn.ini"
check "version 2.0 installs over the changed log" silent 0 "$setup" /S "$upgrade_log_word"
check "the run log says the changed log was not taken over" log_has "$upgrade_log" \
  "Upgrade from version 1.0; its uninstall log $v1_dir\\Uninstallerpathtn.ini is not taken over: it is no plain file that matches its digest"
log_lacks() { ! grep -qF "$2" "$1"; }
check "the new uninstall log does not name the planted file" \
  log_lacks "$v1_unix/Uninstallerpathtn.ini" 'victim.txt'
