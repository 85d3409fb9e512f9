# Sourced by scripts/test-e2e after Mapleleaf Viewer's checks, with their
# helpers. Mapleleaf Viewer's uninstall list takes the whole installation
# folder ("%InstallPath%"). Installed silently with /D= into a folder of the
# user's documents that already holds a document and a folder of letters,
# then uninstalled with the quiet command: the product goes, while the
# user's file and folder, which were there before, are no product's and
# stay, and so does the folder that holds them (a leftover, exit code 2).

users_maps="$(folder_of Personal)\\My Maps"
users_maps_unix="$(wine_unix_path "$users_maps")"
users_maps_before() {
  mkdir -p "$users_maps_unix/Letters" &&
    printf 'years of work' > "$users_maps_unix/thesis.txt" &&
    printf 'dear mum' > "$users_maps_unix/Letters/mum.txt"
}
check "the user's folder holds a file and a folder of the user's" users_maps_before
check "Mapleleaf Viewer: /S /D= into the user's folder ends with 0" \
  silent 0 "$maple_setup" /S "/D=$users_maps"
check "Mapleleaf Viewer: every file landed in the user's folder" \
  test -f "$users_maps_unix/mapleview.exe" -a -f "$users_maps_unix/plugins/png_codec.dll"
check "Mapleleaf Viewer: the uninstall commands are registered for the user's folder" maple_commands
check "scenario uninstall_silent_leftovers (Mapleleaf Viewer in the user's folder)" \
  run_scenario uninstall_silent_leftovers
check "the remover took its own files from the user's folder" \
  removed_eventually "$users_maps_unix/UnInstaller.exe"
users_maps_kept() {
  [ "$(cat "$users_maps_unix/thesis.txt" 2>/dev/null)" = 'years of work' ] ||
    { echo "    the user's thesis.txt is gone"; return 1; }
  [ "$(cat "$users_maps_unix/Letters/mum.txt" 2>/dev/null)" = 'dear mum' ] ||
    { echo "    the user's Letters\\mum.txt is gone"; return 1; }
}
check "the user's file and folder, there before the installation, survive" users_maps_kept
users_maps_product_gone() {
  local path
  for path in mapleview.exe LICENCE.txt plugins locales 'Remove Uninstaller.exe' Uninstallerpathtn.ini; do
    [ ! -e "$users_maps_unix/$path" ] || { echo "    still there: $path"; return 1; }
  done
  [ ! -e "$maple_labs_unix" ] || { echo "    still there: $maple_labs"; return 1; }
}
check "the product's files and folders are gone from the user's folder" users_maps_product_gone
rm -rf "$users_maps_unix" "$maple_labs_unix"
