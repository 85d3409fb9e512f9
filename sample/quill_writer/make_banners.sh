#!/bin/sh
# Redraws the two banner bitmaps of the sample setup program with ImageMagick
# (24-bit BMP3, which every Windows image loader reads):
#   files/top.bmp   192x70,  the logo at the top left of the inner pages
#   files/side.bmp  209x370, the side banner of the welcome and finish pages
# Both are the wizard's picture controls (128x43 and 139x228 dialog units) at
# about 1.5 pixels per dialog unit, so they are drawn close to their size.
set -e
cd "$(dirname "$0")/files"
TITLE=/usr/share/fonts/truetype/liberation/LiberationSerif-BoldItalic.ttf
TEXT=/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf

convert -size 192x70 gradient:'#ffffff-#dfe8f6' \
  -fill none -stroke '#27466e' -strokewidth 2 -draw "path 'M 14,58 C 22,40 34,22 52,10'" \
  -stroke none -fill '#3b6aa5' -draw "path 'M 52,10 C 40,14 26,30 20,50 C 30,40 42,30 52,10 Z'" \
  -font "$TITLE" -pointsize 24 -fill '#1d3557' -annotate +60+40 'Quill Writer' \
  -font "$TEXT" -pointsize 11 -fill '#4a6d96' -annotate +62+58 'Acme - version 2.0' \
  -type TrueColor BMP3:top.bmp

convert -size 209x370 gradient:'#10294a-#3f76b5' \
  -fill none -stroke '#e9f0fa' -strokewidth 3 -draw "path 'M 60,330 C 80,250 120,170 170,110'" \
  -stroke none -fill '#c9dbf2' -draw "path 'M 170,110 C 130,130 90,200 72,290 C 100,240 140,180 170,110 Z'" \
  -font "$TITLE" -pointsize 30 -fill white -gravity north -annotate +0+36 'Quill' -annotate +0+72 'Writer' \
  -font "$TEXT" -pointsize 14 -fill '#dbe6f5' -gravity south -annotate +0+18 'Acme' \
  -type TrueColor BMP3:side.bmp
