#!/bin/sh
# Regenerates data/demo (the demonstration field) with the generator built
# in the given build folder (default build/). The outputs are committed;
# run this only to change the demonstration.
set -eu
here=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$here/build}
"$build/bin/demo-field-generator" --out-dir "$here/data/demo" --name demo --seed 2026 \
    --ra 1:34:50 --dec +22:11:01 --pixels-per-degree 2250 --rotation-deg 8 \
    --width 1100 --height 800 --stars 2500 --mag-min 8 --mag-max 17 --radius-arcmin 30 \
    --query-radius 20 --query-mag 13 --fits --date-obs 2024-10-05T22:14:00 --pixel-micron 9 \
    --project-file "$here/data/demo/demo.pam" --image-url demo/demo.png
