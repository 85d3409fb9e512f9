# Sourced by scripts/test-e2e with its helpers: Tessera Notes, whose script
# writes a file association (its command holds "%%1"), an expandable and a
# multi-string value, and appends its bin folder to the machine's and the
# user's PATH. Checked from outside: the command as reg query shows it, a
# .tess file opened through the association, the PATH entries added once
# and taken back exactly, the keys the installation created removed and a
# key that was there before kept.
tess_files="$out/tessera_files"
mkdir -p "$tess_files" && cp "$writer" "$tess_files/TesseraNotes.exe"
tess_setup="$out/TesseraSetup.exe"
check "mksetup builds Tessera Notes without a warning" sh -c \
  '"$1" build --arch "$2" --stub "$3" --script "$4" --files "$5" -o "$6" > "$7" 2>&1 && ! grep -q "warning\|error" "$7"' \
  - "$mksetup" "$arch" "$test_runtime" "$TOP/tests/e2e/tessera_notes/log_file.txt" "$tess_files" \
  "$tess_setup" "$out/tessera.build.log"
tess_dir="$program_files\\Harbor & Finch\\Tessera Notes"
tess_unix=$(wine_unix_path "$tess_dir")
machine_env='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'
user_env='HKCU\Environment'
machine_path_before=$(reg_value "$machine_env" Path)
user_path_before=$(reg_value "$user_env" Path)
tess_before() {
  wine_run reg add "$user_env" /v Path /t REG_EXPAND_SZ /d 'C:\Tools' /f >/dev/null 2>&1 &&
    wine_run reg add 'HKCU\Software\Harbor & Finch' /f "$reg_view" >/dev/null 2>&1
}
check "the user's PATH holds C:\\Tools, and the key Harbor & Finch is there" tess_before
check "/S of Tessera Notes ends with 0" silent 0 "$tess_setup" /S
tess_command() {  # the default value, as reg query /ve shows it
  local seen
  seen=$(wine_run reg query 'HKCR\HarborFinch.TesseraNote\shell\open\command' /ve 2>/dev/null |
    tr -d '\r' | sed -nE 's/^ +[^ ]+ +REG_SZ +(.*)$/\1/p')
  case "$seen" in
    \"*'\cmd.exe" /c copy "%1" "'"$tess_dir"'\opened.txt"') ;;
    *) echo "    the command is: $seen"; return 1 ;;
  esac
}
check "the association's command holds \"%1\"" tess_command
tess_open() {
  local note="$out/My Note.tess" i
  printf 'a note' > "$note"
  (cd "$out" && wine_run start /wait "Z:${note//\//\\}") >/dev/null 2>&1
  for i in $(seq 50); do [ -s "$tess_unix/opened.txt" ] && break; sleep 0.2; done
  [ "$(cat "$tess_unix/opened.txt" 2>/dev/null)" = 'a note' ] ||
    { echo "    the opened file did not reach the program"; return 1; }
  rm -f "$tess_unix/opened.txt"  # not the product's: it would stay as a leftover
}
check "a .tess file opened through the association reaches the command with its path" tess_open
check "the REG_EXPAND_SZ value" expect_value 'HKCU\Software\Harbor & Finch\Tessera Notes' Plugins \
  'REG_EXPAND_SZ %APPDATA%\Tessera'
check "the REG_MULTI_SZ value" expect_value 'HKCU\Software\Harbor & Finch\Tessera Notes' Recent \
  'REG_MULTI_SZ a.tess\0b.tess'
machine_path_added="${machine_path_before#REG_* };$tess_dir\\bin"
check "the machine's PATH got the bin folder, its type kept" \
  expect_value "$machine_env" Path "${machine_path_before%% *} $machine_path_added"
check "the user's PATH got it after C:\\Tools, which it already held" \
  expect_value "$user_env" Path "REG_EXPAND_SZ C:\\Tools;$tess_dir\\bin"
check "a second /S of Tessera Notes ends with 0" silent 0 "$tess_setup" /S
check "the machine's PATH holds the folder once" \
  expect_value "$machine_env" Path "${machine_path_before%% *} $machine_path_added"
check "the user's PATH holds it once" expect_value "$user_env" Path "REG_EXPAND_SZ C:\\Tools;$tess_dir\\bin"
tess_log() {
  local log="$tess_unix/Uninstallerpathtn.ini" record
  for record in "HKEY_LOCAL_MACHINE;$tess_dir\\bin" "HKEY_CURRENT_USER;$tess_dir\\bin" \
    'HKEY_CLASSES_ROOT\HarborFinch.TesseraNote\shell\open\command\' \
    'HKEY_CURRENT_USER\Software\Harbor & Finch\Tessera Notes\'; do
    grep -qF "$record"$'\r' "$log" || { echo "    no record $record"; return 1; }
  done
  for record in 'HKEY_CURRENT_USER;C:\Tools' 'HKEY_CURRENT_USER\Software\Harbor & Finch\'; do
    ! grep -qF "$record"$'\r' "$log" || { echo "    a record of what was there before: $record"; return 1; }
  done
}
check "the uninstall log records the entries it added and the keys it created, nothing older" tess_log
check "the uninstaller of Tessera Notes ends with 0" silent 0 "$tess_dir\\UnInstaller.exe" /S
check "the machine's PATH is as it was" expect_value "$machine_env" Path "$machine_path_before"
check "the user's PATH keeps C:\\Tools, which was there before" expect_value "$user_env" Path 'REG_EXPAND_SZ C:\Tools'
tess_keys() {
  ! key_exists 'HKCR\.tess' || { echo "    still there: HKCR\\.tess"; return 1; }
  ! key_exists 'HKCR\HarborFinch.TesseraNote' || { echo "    still there: the ProgID"; return 1; }
  ! key_exists 'HKCU\Software\Harbor & Finch\Tessera Notes' || { echo "    still there: Tessera Notes"; return 1; }
  key_exists 'HKCU\Software\Harbor & Finch' || { echo "    gone: Harbor & Finch, there before"; return 1; }
}
check "the keys it created are gone, Harbor & Finch (there before) stays" tess_keys
tess_after() {
  wine_run reg delete 'HKCU\Software\Harbor & Finch' /f "$reg_view" >/dev/null 2>&1
  if [ -n "$user_path_before" ]; then
    wine_run reg add "$user_env" /v Path /t "${user_path_before%% *}" /d "${user_path_before#REG_* }" /f
  else
    wine_run reg delete "$user_env" /v Path /f
  fi >/dev/null 2>&1
}
tess_after
