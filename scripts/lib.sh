# Shared pieces of the project's scripts: machine set-up and the builds.
# Source it; it sets TOP to the repository's top folder.

TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export TOP

# What a fresh Debian 12 machine needs for the builds and the tests.
SETUPKIT_PACKAGES=(
  cmake make g++ clang libclang-rt-14-dev clang-format
  googletest libbenchmark-dev zlib1g-dev lzma-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  gcc-mingw-w64-x86-64-win32 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64
  wine wine32:i386 wine64
  xvfb xauth x11-utils imagemagick fonts-liberation
  icoutils liblnk-utils libyaml-dev
)

say() { printf '\n== %s\n' "$*" >&2; }

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

# Packages the tests can do without: wine32:i386 needs the i386 twins of
# the 64-bit libraries at exactly their versions, which a mirror in the
# middle of a sync cannot always give. Without it only the x64 runtime runs.
SETUPKIT_OPTIONAL_PACKAGES=(wine32:i386)

apt_install() {
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q --no-install-recommends "$@"
}

# Installs whatever of SETUPKIT_PACKAGES is missing; quick when nothing is.
# An index that fails to download (a mirror mid-sync) does not stop it: the
# lists already there may still hold everything. Sets WINE32_INSTALL_WHY
# when wine32 could not be installed.
WINE32_INSTALL_WHY=""
ensure_packages() {
  local missing=() needed=() pkg
  for pkg in "${SETUPKIT_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  if ! as_root apt-get update -q; then
    say "apt-get update failed in part (a mirror mid-sync?); going on with the package lists there are"
  fi
  apt_install "${missing[@]}" && return 0
  for pkg in "${missing[@]}"; do
    [[ " ${SETUPKIT_OPTIONAL_PACKAGES[*]} " == *" $pkg "* ]] || needed+=("$pkg")
  done
  [ ${#needed[@]} -lt ${#missing[@]} ] || return 1
  say "installing without ${SETUPKIT_OPTIONAL_PACKAGES[*]}"
  [ ${#needed[@]} -eq 0 ] || apt_install "${needed[@]}" || return 1
  apt_install "${SETUPKIT_OPTIONAL_PACKAGES[@]}" && return 0
  install_optional_from_main_archive && return 0
  WINE32_INSTALL_WHY="wine32:i386 could not be installed from the package lists there are"
  say "$WINE32_INSTALL_WHY: the x86 runtime is built but not run"
}

# Second try for the optional packages when the security archive's i386
# index is the one that failed: its 64-bit twins are newer than any i386
# package apt knows, so both architectures are taken from the main archive
# (signed like the rest), which may step a few 64-bit libraries back to the
# main archive's version on this test machine.
install_optional_from_main_archive() {
  local pin
  pin=$(mktemp) || return 1
  printf 'Package: *\nPin: release n=bookworm,l=Debian\nPin-Priority: 1001\n' >"$pin"
  say "retrying ${SETUPKIT_OPTIONAL_PACKAGES[*]} with both architectures from the main archive"
  apt_install --allow-downgrades -o Dir::Etc::Preferences="$pin" "${SETUPKIT_OPTIONAL_PACKAGES[@]}"
  local rc=$?
  rm -f "$pin"
  return $rc
}

JOBS=${JOBS:-$(nproc)}

# The one probe that decides whether the 32-bit runtime can be run here: the
# 32-bit Wine loader started once. Machines whose kernel has no IA-32
# emulation refuse it ("Exec format error"); they run the 64-bit runtime
# under wine64 only. Sets WINE32_WHY to the reason when it cannot.
WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64
can_run_wine32() {
  if [ "${SETUPKIT_NO_WINE32:-0}" = 1 ]; then
    WINE32_WHY="SETUPKIT_NO_WINE32=1 is set"
    return 1
  fi
  if [ ! -x "$WINE32_LOADER" ]; then
    WINE32_WHY="${WINE32_INSTALL_WHY:-the 32-bit Wine loader $WINE32_LOADER is not installed}"
    return 1
  fi
  local answer
  if ! answer=$("$WINE32_LOADER" --version 2>&1); then
    WINE32_WHY="this machine cannot run 32-bit programs ($WINE32_LOADER: ${answer##*: })"
    return 1
  fi
  WINE32_WHY=""
  return 0
}

# The Windows architectures this machine tests, in the order they run: x64
# always, x86 where 32-bit programs run. Says which, and why one is left out.
windows_architectures() {
  if can_run_wine32; then
    say "architectures: x64 (wine64) and x86 (32-bit Wine)"
    WINDOWS_ARCHES=(x64 x86)
  else
    say "architectures: x64 (wine64) only; x86 skipped: $WINE32_WHY"
    WINDOWS_ARCHES=(x64)
  fi
}

# The Windows build tree of an architecture.
windows_tree() { [ "$1" = x64 ] && echo "$TOP/build/win64" || echo "$TOP/build/win"; }

# The native tree: clang with AddressSanitizer and UndefinedBehaviorSanitizer,
# unit tests and the builder.
build_native() {
  say "native build (sanitizers)"
  cmake -S "$TOP" -B "$TOP/build/native" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DSETUPKIT_SANITIZE=ON -DSETUPKIT_WERROR=ON >/dev/null
  cmake --build "$TOP/build/native" -j"$JOBS"
}

# The native tree without sanitizers, with Debian's default compiler (GCC):
# the builder that the main job uses.
build_release() {
  say "native build (release, GCC)"
  cmake -S "$TOP" -B "$TOP/build/release" -DCMAKE_BUILD_TYPE=Release -DSETUPKIT_TESTS=OFF \
    -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ -DSETUPKIT_WERROR=ON >/dev/null
  cmake --build "$TOP/build/release" -j"$JOBS" --target mksetup
}

# A Windows tree: the setup runtime and the Windows test programs, for x86
# (build/win, setup-runtime.exe) or x64 (build/win64, setup-runtime64.exe).
# With targets after the architecture, only those are built.
build_windows() {
  local arch=${1:-x86} toolchain=mingw-i686 targets=()
  shift || true
  [ "$arch" = x64 ] && toolchain=mingw-x86_64
  [ $# -eq 0 ] || targets=(--target "$@")
  say "Windows build ($arch, MinGW-w64 ${toolchain#mingw-})${targets:+: $*}"
  cmake -S "$TOP" -B "$(windows_tree "$arch")" -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_TOOLCHAIN_FILE="$TOP/cmake/$toolchain.cmake" -DSETUPKIT_WERROR=ON >/dev/null
  cmake --build "$(windows_tree "$arch")" -j"$JOBS" "${targets[@]}"
}

# The toolkit alone, into dist/bin: mksetup (release), the LZW and the LZMA
# runtimes of both architectures and both pairs of uninstall programs; no
# test program.
build_toolkit() {
  local arch
  build_release
  for arch in x86 x64; do build_windows "$arch" setup-runtime setup-runtime-lzma uninstaller remover; done
  install_dist release
}

# dist/bin: mksetup with the runtimes and the uninstall programs beside it,
# as a user gets them: uninstaller.exe and remover.exe for x86 setups,
# uninstaller64.exe and remover64.exe for x64 ones.
install_dist() {
  local tree=$1 runtime program
  mkdir -p "$TOP/dist/bin"
  install -m 755 "$TOP/build/$tree/tools/mksetup/mksetup" "$TOP/dist/bin/mksetup"
  for runtime in "$TOP/build/win/src/app/setup-runtime.exe" "$TOP/build/win64/src/app/setup-runtime64.exe" \
    "$TOP/build/win/src/app/setup-runtime-lzma.exe" "$TOP/build/win64/src/app/setup-runtime-lzma64.exe"; do
    if [ -f "$runtime" ]; then
      install -m 644 "$runtime" "$TOP/dist/bin/$(basename "$runtime")"
    fi
  done
  for program in uninstaller remover; do
    if [ -f "$TOP/build/win/src/uninstaller_app/$program.exe" ]; then
      install -m 644 "$TOP/build/win/src/uninstaller_app/$program.exe" "$TOP/dist/bin/$program.exe"
    fi
    if [ -f "$TOP/build/win64/src/uninstaller_app/$program.exe" ]; then
      install -m 644 "$TOP/build/win64/src/uninstaller_app/$program.exe" "$TOP/dist/bin/${program}64.exe"
    fi
  done
}
