# shellcheck shell=bash
# Sourced by scripts/test-e2e, last, as it restarts the prefix: a product
# file held open while a second version installs over it is replaced at the
# next restart. Uses check, silent, log_has, run_scenario and the sample's
# files from there.
busy_dir='C:\Busy Quill'
busy_unix=$(wine_unix_path "$busy_dir")
busy_files="$out/busy_files"
rm -rf "$busy_files" && cp -r "$files" "$busy_files" && printf 'settings of version 2\r\n' > "$busy_files/writer.cfg"
check "mksetup builds a second version with other writer.cfg bytes" \
  variant BusyUpgradeSetup '' "$busy_files"
check "the first version installs silently into $busy_dir" silent 0 "$setup" /S "/D=$busy_dir"
# A folder made beforehand that every user may change: a held file there
# fails instead of waiting for a rename that they could re-point.
open_dir='C:\Open Quill'
open_unix=$(wine_unix_path "$open_dir")
mkdir -p "$open_unix" && chmod 777 "$open_unix"
check "the first version installs silently into $open_dir (mode 777)" silent 0 "$setup" /S "/D=$open_dir"
check "scenario files_in_use_exposed (held file there: /S /CLOSEAPPLICATIONS ends with 2)" \
  run_scenario files_in_use_exposed "$out/BusyUpgradeSetup.exe"
check "the log names the programs asked to close and the file not written" \
  log_has "$out/screenshots/exposed.log" 'Programs that hold files asked to close' \
  "Message: Unable to create file $open_dir\\Data\\writer.cfg" 'Outcome: 2'
check "nothing is set aside beside it" test -z "$(find "$open_unix" -name '*.new')"
# The same kind of folder, its Data re-pointed by a user at a service's
# folder whose program holds writer.cfg: nothing asks that program to close.
junction_dir='C:\Junction Quill'
junction_unix=$(wine_unix_path "$junction_dir")
service_unix=$(wine_unix_path 'C:\Service')
mkdir -p "$junction_unix" "$service_unix" && chmod 777 "$junction_unix"
printf 'the service\r\n' > "$service_unix/writer.cfg"
check "the first version installs silently into $junction_dir (mode 777)" \
  silent 0 "$setup" /S "/D=$junction_dir"
rm -rf "$junction_unix/Data" && ln -s "$service_unix" "$junction_unix/Data"
check "scenario files_in_use_junction (Data re-pointed at a held file: /S /CLOSEAPPLICATIONS ends with 2)" \
  run_scenario files_in_use_junction "$out/BusyUpgradeSetup.exe"
check "no program was asked to close" eval \
  "! grep -qF 'Programs that hold files asked to close' '$out/screenshots/junction.log'"
check "the service's writer.cfg is as it was" grep -qF 'the service' "$service_unix/writer.cfg"
check "scenario files_in_use (held file: Cancel, then /S ends with 3010)" \
  run_scenario files_in_use "$out/BusyUpgradeSetup.exe"
check "the log names the file left to the restart and /NORESTART" log_has "$out/screenshots/busy.log" \
  '/NORESTART accepted' "Replaced at restart: $busy_dir\\Data\\writer.cfg" \
  'Outcome: 3010 (restart needed)'
check "the held file keeps the first version's bytes until the restart" \
  cmp -s "$files/writer.cfg" "$busy_unix/Data/writer.cfg"
pending_rename() {  # pending_rename FOLDER
  wine_run reg query 'HKLM\SYSTEM\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations 2>/dev/null |
    tr -d '\r' | grep -qiF "$1\\Data\\writer.cfg"
}
check "the replacement waits in PendingFileRenameOperations" pending_rename 'Busy Quill'
check "nothing waits there for $open_dir" eval '! pending_rename "Open Quill"'
check "wineboot -r restarts the prefix" wine_run wineboot -r
check "after the restart writer.cfg has the second version's bytes" \
  cmp -s "$busy_files/writer.cfg" "$busy_unix/Data/writer.cfg"
check "nothing is left beside it" test -z "$(find "$busy_unix/Data" -name '*.new')"
