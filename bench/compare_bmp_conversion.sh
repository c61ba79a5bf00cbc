#!/usr/bin/env bash
# Whole-process comparison, side by side in one run: BMP conversion by pgraphic against ImageMagick
# and netpbm, and the logo reduction against ImageMagick and pngquant. Prints mean times and ratios.
# Needs the release build (cmake --preset release && cmake --build --preset release).
set -euo pipefail
cd "$(dirname "$0")/.."
tool=$PWD/build/release/pgraphic/tools/pgraphic
im=convert-im6.q16
[ -x "$tool" ] || { echo "build the release preset first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Pictures with many colours; the RLE8 ones are reduced to 256 colours and run-length coded.
$im -seed 7 -size 640x400 plasma:fractal -type TrueColor BMP3:small24.bmp
$im -seed 7 -size 4000x3000 plasma:fractal -type TrueColor BMP3:large24.bmp
for size in small large; do
    $im ${size}24.bmp +dither -colors 256 -type Palette -compress RLE BMP3:${size}8rle.bmp
done
$im small24.bmp -filter Box -resize 320x400! shrunk.png

run() { # name, then one command per peer
    local name=$1; shift
    hyperfine --warmup 2 --min-runs 10 --style basic --export-json "$name.json" "$@" >/dev/null
    python3 - "$name" <<'PY'
import json, sys
name = sys.argv[1]
results = json.load(open(name + '.json'))['results']
ours = results[0]['mean']
print(f'{name}:')
for r in results:
    print(f'  {r["mean"] * 1000:9.1f} ms  x{r["mean"] / ours:6.2f}  {r["command"]}')
PY
}

for input in small24 large24 small8rle large8rle; do
    run "convert-$input" \
        "$tool convert $input.bmp ours.bmp" \
        "$im $input.bmp BMP3:im.bmp" \
        "sh -c 'bmptopnm $input.bmp 2>/dev/null | ppmtobmp > netpbm.bmp 2>/dev/null'"
done

run "logo-reduction" \
    "$tool convert small24.bmp ours.bmp --size 320x400 --colors 256 --system-colors" \
    "$im small24.bmp -filter Box -resize 320x400! -dither FloydSteinberg -colors 256 -type Palette -compress None BMP3:im.bmp" \
    "pngquant --force --floyd=1 256 --output pq.png shrunk.png"
