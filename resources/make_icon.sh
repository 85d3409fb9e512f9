#!/usr/bin/env bash
# Regenerates setup.ico, the setup program's icon (resource 128): a blue box
# with a download arrow, 32x32 and 16x16. Each image is stored as a PNG with a
# palette of its five colours (one transparent): 344 bytes for both, against
# 1,040 as 16-colour bitmaps. Windows reads PNG images in icons of any size
# since Vista, which the runtime needs anyway (it calls
# SetFileInformationByHandle). Needs ImageMagick and icoutils.
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
for size in 32 16; do
  convert "$work/icon$size.png" -strip PNG8:"$work/palette$size.png"
done
icotool -c -o "$here/setup.ico" --raw="$work/palette32.png" --raw="$work/palette16.png"
