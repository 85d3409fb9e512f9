#!/usr/bin/env bash
# Regenerates setup.ico, the setup program's icon (resource 128): a blue box
# with a download arrow, 32x32 and 16x16, 16 colours each so that the icon
# costs about a kilobyte of the runtime. Needs ImageMagick and icoutils.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

convert -size 32x32 xc:none +antialias \
  -fill '#1c4f9c' -draw 'rectangle 2,6 29,29' \
  -fill '#3f7fd6' -draw 'rectangle 4,8 27,27' \
  -fill '#f0f4fa' -draw 'rectangle 13,1 18,14' -draw 'polygon 8,14 23,14 15,22' \
  -fill '#ffd23c' -draw 'rectangle 6,24 25,26' \
  PNG32:"$work/icon32.png"
convert -size 16x16 xc:none +antialias \
  -fill '#1c4f9c' -draw 'rectangle 1,3 14,14' \
  -fill '#3f7fd6' -draw 'rectangle 2,4 13,13' \
  -fill '#f0f4fa' -draw 'rectangle 6,0 9,7' -draw 'polygon 4,7 11,7 7,11' \
  -fill '#ffd23c' -draw 'rectangle 3,12 12,12' \
  PNG32:"$work/icon16.png"
icotool -c -b 4 -o "$here/setup.ico" "$work/icon32.png" "$work/icon16.png"
