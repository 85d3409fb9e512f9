# Shared pieces of the project's scripts: machine set-up and the builds.
# Source it; it sets TOP to the repository's top folder.

TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export TOP

# What a fresh Debian 12 machine needs for the builds and the tests.
SETUPKIT_PACKAGES=(
  cmake make g++ clang libclang-rt-14-dev
  googletest libbenchmark-dev zlib1g-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  gcc-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64
  wine wine32:i386 wine64
  xvfb xauth x11-utils imagemagick fonts-liberation
  icoutils liblnk-utils
)

say() { printf '\n== %s\n' "$*" >&2; }

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs whatever of SETUPKIT_PACKAGES is missing; quick when nothing is.
ensure_packages() {
  local missing=() pkg
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
  as_root apt-get update -q
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q --no-install-recommends "${missing[@]}"
}

JOBS=${JOBS:-$(nproc)}

# The native tree: clang with AddressSanitizer and UndefinedBehaviorSanitizer,
# unit tests and the builder.
build_native() {
  say "native build (sanitizers)"
  cmake -S "$TOP" -B "$TOP/build/native" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DSETUPKIT_SANITIZE=ON >/dev/null
  cmake --build "$TOP/build/native" -j"$JOBS"
}

# The native tree without sanitizers: the builder that the main job uses.
build_release() {
  say "native build (release)"
  cmake -S "$TOP" -B "$TOP/build/release" -DCMAKE_BUILD_TYPE=Release -DSETUPKIT_TESTS=OFF \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$TOP/build/release" -j"$JOBS" --target mksetup
}

# The Windows tree: the setup runtime and the Windows test programs.
build_windows() {
  say "Windows build (MinGW-w64 i686)"
  cmake -S "$TOP" -B "$TOP/build/win" -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_TOOLCHAIN_FILE="$TOP/cmake/mingw-i686.cmake" >/dev/null
  cmake --build "$TOP/build/win" -j"$JOBS"
}

# dist/bin: mksetup with the runtime and the two uninstall programs beside
# it, as a user gets them.
install_dist() {
  local tree=$1 program
  mkdir -p "$TOP/dist/bin"
  install -m 755 "$TOP/build/$tree/tools/mksetup/mksetup" "$TOP/dist/bin/mksetup"
  if [ -f "$TOP/build/win/src/app/setup-runtime.exe" ]; then
    install -m 644 "$TOP/build/win/src/app/setup-runtime.exe" "$TOP/dist/bin/setup-runtime.exe"
  fi
  for program in uninstaller remover; do
    if [ -f "$TOP/build/win/src/uninstaller_app/$program.exe" ]; then
      install -m 644 "$TOP/build/win/src/uninstaller_app/$program.exe" "$TOP/dist/bin/$program.exe"
    fi
  done
}
