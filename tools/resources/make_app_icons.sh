#!/usr/bin/env bash
# Renders the application icon resources/app-icon/noctavo.svg into the PNG
# sizes of the hicolor icon theme (resources/app-icon/noctavo-<size>.png).
# Needs rsvg-convert (Debian package librsvg2-bin). The PNGs are committed;
# run this again only after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/../../resources/app-icon"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" noctavo.svg --output "noctavo-$size.png"
done
