#!/usr/bin/env bash
# Screenshots of ui_demo under Wine and Xvfb: the extraction dialog and the
# wizard's five page layouts, with a generated banner and logo.
#
#   tests/win/ui_demo/screenshots.sh [BUILD_FOLDER [OUT_FOLDER]]
#
# Defaults: build/win and BUILD_FOLDER/ui_demo-shots. Needs ImageMagick.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
top="$(cd "$here/../../.." && pwd)"
build="$(cd "${1:-$top/build/win}" && pwd)"
out="${2:-$build/ui_demo-shots}"
demo="$build/tests/win/ui_demo/ui_demo.exe"
[[ -f "$demo" ]] || { echo "screenshots: no $demo (build the ui_demo target)" >&2; exit 1; }
mkdir -p "$out"
out="$(cd "$out" && pwd)"

# A banner and a logo of about the pictures' sizes, in other proportions, so
# the stretching shows.
convert -size 210x370 gradient:'#123d7a'-'#7fa8e0' -fill '#ffd23c' -draw 'rectangle 0,300 210,306' \
  -fill white -font Liberation-Sans-Bold -pointsize 26 -annotate +18+80 'Quill' \
  -annotate +18+112 'Writer' BMP3:"$out/banner.bmp"
convert -size 190x70 gradient:'#ffffff'-'#c9dbf5' -fill '#123d7a' -font Liberation-Sans-Bold \
  -pointsize 20 -annotate +14+44 'Quill Writer' BMP3:"$out/logo.bmp"

# shellcheck source=../../../scripts/wine-env
source "$top/scripts/wine-env"
trap wine_env_stop EXIT
wine_env_start
wine_xvfb_start

# The host folder as Wine sees it: Z: is the host's root.
windows_out="Z:${out//\//\\}"
shoot() {  # NAME PAGE SECONDS_BEFORE_THE_SHOT
  wine explorer /desktop=shot,1024x768 "$demo" "$windows_out\\banner.bmp" \
    "$windows_out\\logo.bmp" "$2" "$(($3 + 3))" &
  local pid=$!
  sleep "$3"
  wine_screenshot "$out/$1.png"
  wait "$pid" || true
  echo "screenshots: $out/$1.png"
}
shoot extracting -1 2
shoot welcome 0 3
shoot licence 1 3
shoot destination 2 3
shoot installing 3 3
shoot finish 4 3
