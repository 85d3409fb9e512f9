#!/usr/bin/env bash
# The setup program's peak memory under wine64 while it extracts a product
# holding one file of SIZE_MB megabytes (default 1024): the process's peak
# resident set (VmHWM) taken until the file is staged whole, less the setup
# program's own size (the checksum reads every page of the payload, so the
# whole image counts in the resident set). A product with one small file
# gives Wine's own share for comparison.
#
#   bench/setup_memory.sh [SIZE_MB]
#
# Needs build/release (mksetup), build/win64 (setup-runtime64.exe), dist/bin
# (the uninstall programs), wine64 and Xvfb. Everything happens in a
# throwaway folder and Wine prefix.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
source "$TOP/scripts/wine-env"
size_mb=${1:-1024}
mksetup="$TOP/build/release/tools/mksetup/mksetup"
runtime="$TOP/build/win64/src/app/setup-runtime64.exe"
[ -x "$mksetup" ] && [ -f "$runtime" ] || { echo "build mksetup (build_release) and the x64 runtime first" >&2; exit 1; }

work=$(mktemp -d)
trap 'wine_xvfb_stop || true; wine_env_stop || true; rm -rf "$work"' EXIT
export WINEDLLOVERRIDES=winemenubuilder.exe=d WINEDEBUG=-all

# One product: the script, the sample's uninstallers and one file of the
# given size made of program code (GCC's cc1 over and over), compressed.
make_product() {
  local name=$1 megabytes=$2 folder="$work/$1"
  mkdir -p "$folder/files"
  cp "$TOP/dist/bin/uninstaller64.exe" "$folder/files/UnInstaller.exe"
  cp "$TOP/dist/bin/remover64.exe" "$folder/files/Remove Uninstaller.exe"
  # cat stops at the first broken pipe, once head has what it needs.
  while cat /usr/lib/gcc/x86_64-linux-gnu/12/cc1 2>/dev/null; do :; done | head -c $((megabytes * 1048576)) >"$folder/files/big.bin" || true
  printf 'Big\r\nBig Setup\r\n1.0\r\nAcme\r\n-N-A-\r\n[fls]\r\n1\r\nbig.bin|%%InstallPath%%\\big.bin\r\nUnInstaller.exe|%%InstallPath%%\\UnInstaller.exe\r\nRemove Uninstaller.exe|%%InstallPath%%\\Remove Uninstaller.exe\r\n[/fls]\r\n[uninst_gene]\r\nUninstalling\r\n-NA-\r\n[/uninst_gene]\r\n[uninst_fls]\r\n[/uninst_fls]\r\n' >"$folder/setup.txt"
  local started=$SECONDS
  "$mksetup" build --arch x64 --stub "$runtime" --script "$folder/setup.txt" --files "$folder/files" \
    -o "$folder/Setup.exe" >&2 2>/dev/null
  echo "$name: built in $((SECONDS - started)) s, $(stat -c %s "$folder/Setup.exe") bytes" >&2
  rm "$folder/files/big.bin"
}

# Runs a product's setup program until big.bin is staged whole (and a moment
# more), sampling the process's peak resident set; prints "peak_kb image_kb".
measure() {
  local folder="$work/$1" bytes=$(($2 * 1048576))
  local pid="" peak=0 hwm
  wine_run "$folder/Setup.exe" >/dev/null 2>&1 &
  local runner=$!
  for _ in $(seq 1 1200); do
    sleep 0.5
    [ -z "$pid" ] && pid=$(pgrep -n -f 'Setup\.exe' || true)
    if [ -n "$pid" ]; then
      hwm=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
      [ "${hwm:-0}" -gt "$peak" ] && peak=$hwm
    fi
    local file
    file=$(find "$WINEPREFIX/drive_c" -name big.bin -size "${bytes}c" 2>/dev/null | head -n 1)
    if [ -n "$file" ]; then sleep 3; break; fi
  done
  [ -n "$pid" ] && { hwm=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0); [ "${hwm:-0}" -gt "$peak" ] && peak=$hwm; kill "$pid" 2>/dev/null || true; }
  wait "$runner" 2>/dev/null || true
  echo "$peak $(($(stat -c %s "$folder/Setup.exe") / 1024))"
}

make_product small 1
make_product big "$size_mb"
wine_env_start "$work/wine"
wine_xvfb_start
read -r small_peak small_image < <(measure small 1)
read -r big_peak big_image < <(measure big "$size_mb")
printf 'product          setup program    peak resident    peak less image\n'
printf 'one 1 MiB file   %8d KiB     %8d KiB     %8d KiB\n' "$small_image" "$small_peak" $((small_peak - small_image))
printf 'one %d MiB file %8d KiB     %8d KiB     %8d KiB\n' "$size_mb" "$big_image" "$big_peak" $((big_peak - big_image))
