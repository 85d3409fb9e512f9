#!/usr/bin/env bash
# The silent installation of a 100 MB product under wine64 with the 64-bit
# runtime, side by side with its yardstick: `mksetup extract` of the same
# setup program natively plus one bare Wine process start.
#
#   bench/silent_install.sh [RUNS]   (default 3; the median of each is shown)
#
# SETUPKIT_CODEC=lzma or solid builds the product with --codec lzma (and
# --solid) on the 64-bit LZMA runtime instead of LZW on the LZW one.
# SETUPKIT_ARCH=x86 runs the 32-bit runtimes (the default that mksetup
# builds) under 32-bit Wine instead, where this machine runs 32-bit programs.
#
# The product is the first 100 MB, by name, of Wine's own 32-bit Windows DLLs
# (the i386-windows folder of the wine32 package, present even where it
# cannot run; else Wine's 64-bit ones), LZW-compressed as the sample is. Needs dist/bin for the
# runtime (scripts/test, or: source scripts/lib.sh; build_native;
# build_windows x64; install_dist native), and times the optimised mksetup
# of build_release where there is one: dist/bin's may carry the sanitizers.
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../scripts/lib.sh"
runs=${1:-3}
dlls=/usr/lib/i386-linux-gnu/wine/i386-windows
pattern='*.*'
# Without wine32 its DLLs are not there: the first 106 MB of the 64-bit ones.
if [ ! -d "$dlls" ]; then dlls=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows pattern='*.dll'; fi
codec=${SETUPKIT_CODEC:-lzw} arch=${SETUPKIT_ARCH:-x64}
case "$arch" in
  x64) bits=64 ;;
  x86) bits=""
    can_run_wine32 || { echo "SETUPKIT_ARCH=x86: $WINE32_WHY" >&2; exit 2; } ;;
  *) echo "SETUPKIT_ARCH is x64 or x86, not $arch" >&2; exit 2 ;;
esac
runtime="$TOP/dist/bin/setup-runtime$bits.exe" codec_options=()
case "$codec" in
  lzw) ;;
  lzma) runtime="$TOP/dist/bin/setup-runtime-lzma$bits.exe" codec_options=(--codec lzma) ;;
  solid) runtime="$TOP/dist/bin/setup-runtime-lzma$bits.exe" codec_options=(--codec lzma --solid) ;;
  *) echo "SETUPKIT_CODEC is lzw, lzma or solid, not $codec" >&2; exit 2 ;;
esac
mksetup="$TOP/dist/bin/mksetup"
[ -x "$TOP/build/release/tools/mksetup/mksetup" ] && mksetup="$TOP/build/release/tools/mksetup/mksetup"
out="$TOP/build/bench/silent_install"
rm -rf "$out" && mkdir -p "$out/files"

# The product: whole DLLs in name order until 100 MB are reached.
limit=$((100 * 1024 * 1024)) total=0 entries=()
[ "$pattern" = '*.dll' ] && limit=106000000
while IFS= read -r name; do
  ((total >= limit)) && break
  cp "$dlls/$name" "$out/files/" && entries+=("$name")
  total=$((total + $(stat -c %s "$dlls/$name")))
done < <(cd "$dlls" && LC_ALL=C ls -1 -- $pattern)
cp "$TOP/sample/quill_writer/files/"{top.bmp,side.bmp} "$out/files/"
# The uninstall programs of the runtime's architecture, as mksetup would carry
# them from beside itself (build/release's mksetup has none beside it).
cp "$TOP/dist/bin/uninstaller$bits.exe" "$out/files/UnInstaller.exe"
cp "$TOP/dist/bin/remover$bits.exe" "$out/files/Remove Uninstaller.exe"
# The sample's script (CR LF) with the DLLs as its files and no shortcuts.
tr -d '\r' < "$TOP/sample/quill_writer/setup/log_file.txt" > "$out/sample.txt"
{
  sed -n '1,/^\[fls\]$/p' "$out/sample.txt"
  echo 1
  for name in "${entries[@]}"; do echo "$name|%InstallPath%\\$name"; done
  sed -n '/^\[\/fls\]$/,$p' "$out/sample.txt" | sed '/^\[shrt\]$/,/^\[\/shrt\]$/{//!d}'
} | sed 's/$/\r/' > "$out/log_file.txt"
setup="$out/BenchSetup.exe"
"$mksetup" build --arch "$arch" --stub "$runtime" "${codec_options[@]}" --script "$out/log_file.txt" --files "$out/files" -o "$setup" >/dev/null || exit 1
echo "mksetup: $mksetup"
echo "product: ${#entries[@]} DLLs of $dlls, $total bytes; $codec setup program $(stat -c %s "$setup") bytes"

export WINE_ENV_RUNTIME=$arch
source "$TOP/scripts/wine-env"
trap wine_env_stop EXIT
wine_env_start >/dev/null 2>&1 || exit 1
wine_run cmd.exe /c exit 0 >/dev/null 2>&1  # the first start brings up Wine's services

seconds() { date +%s.%N; }
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
silent_times=() staging_times=() yardstick_times=()
# The processors' time taken by the virtual machine's host ("steal"), which
# slows two-thread runs more than one-thread ones: shown with the figures.
steal_and_total() { awk '/^cpu /{print $9, $2+$3+$4+$5+$6+$7+$8+$9}' /proc/stat; }
read -r steal_before total_before < <(steal_and_total)
for ((run = 1; run <= runs; run++)); do
  rm -rf "$WINEPREFIX/drive_c/Bench"
  start=$(seconds)
  wine_run "$setup" /S /D=C:\\Bench >/dev/null 2>&1 || { echo "the silent installation failed ($?)"; exit 1; }
  silent_times+=("$(echo "$(seconds) - $start" | bc)")

  # The extraction alone: a run refused after staging (a drive that does not
  # exist is refused only once the payload is staged), which then deletes
  # its staged files as every silent run does.
  start=$(seconds)
  wine_run "$setup" /S /D=Q:\\Bench >/dev/null 2>&1
  [ $? -eq 3 ] || { echo "the staging-only run did not end with 3"; exit 1; }
  staging_times+=("$(echo "$(seconds) - $start" | bc)")

  rm -rf "$out/extracted"
  start=$(seconds)
  "$mksetup" extract "$setup" -C "$out/extracted" >/dev/null || exit 1
  wine_run cmd.exe /c exit 0 >/dev/null 2>&1
  yardstick_times+=("$(echo "$(seconds) - $start" | bc)")
done
for name in "${entries[@]}"; do
  cmp -s "$dlls/$name" "$WINEPREFIX/drive_c/Bench/$name" || { echo "$name: not installed as it is"; exit 1; }
done
silent=$(median "${silent_times[@]}") staging=$(median "${staging_times[@]}")
yardstick=$(median "${yardstick_times[@]}")
printf '%-52s %8.2f s   (runs: %s)\n' "silent install (/S), $arch runtime" "$silent" "${silent_times[*]}"
printf '%-52s %8.2f s   (runs: %s)\n' "extraction alone (/S /D=Q:\\Bench, refused)" "$staging" "${staging_times[*]}"
printf '%-52s %8.2f s   (runs: %s)\n' "mksetup extract natively + one bare Wine start" "$yardstick" "${yardstick_times[*]}"
read -r steal_after total_after < <(steal_and_total)
echo "processor time taken by the host (steal): $(( (steal_after - steal_before) * 100 / (total_after - total_before + 1) ))%"
printf 'ratio %.2f (target: at most 1.3); extraction alone %.2f (target: at most 1.5)\n' \
  "$(echo "$silent / $yardstick" | bc -l)" "$(echo "$staging / $yardstick" | bc -l)"
