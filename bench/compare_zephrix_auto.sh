#!/usr/bin/env bash
# Whole-process comparison: "zephrix /AUTO" against the closest ImageMagick pipeline making the same
# two 320 x 400 256-colour logos (background, text with a shadow, shrink, 256 colours with
# dithering, BMP), with the default settings and with a 640 x 400 picture background. Prints mean
# times, ratios and peak memory. Needs the release build.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
program=$root/build/release/zephrix
im=convert-im6.q16
[ -x "$program/zephrix" ] || { echo "build the release preset first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/app" "$work/windows"
cp "$program"/zephrix "$program"/zephrix.txt "$program"/zephrix.html "$work/app/"
$im -seed 3 -size 640x400 plasma:fractal -type TrueColor BMP3:"$work/picture.bmp"
font=$(fc-match -f '%{file}' 'Liberation Sans')

# One logo the ImageMagick way: background, shadow, text, box-filter shrink, 256 colours.
im_logo() { # background text colour shadow output
    echo "$im $1 -font $font -pointsize 24 -gravity center -fill '$4' -annotate +2+2 '$2' -fill '$3' -annotate +0+0 '$2' -filter Box -resize 320x400! -dither FloydSteinberg -colors 256 -type Palette -compress None BMP3:$5"
}
im_default="$(im_logo "-size 640x400 xc:#008080" 'What do tired clocks do?' '#00ff00' '#000000' "$work/w.bmp") && $(im_logo "-size 640x400 xc:#000000" 'They take a few seconds off.' '#ffff00' '#800000' "$work/s.bmp")"
im_picture="$(im_logo "$work/picture.bmp" 'What do tired clocks do?' '#00ff00' '#000000' "$work/w.bmp") && $(im_logo "$work/picture.bmp" 'They take a few seconds off.' '#ffff00' '#800000' "$work/s.bmp")"

run() { # name settings im-command
    printf '%s' "$2" > "$work/app/zephrix.INI"
    hyperfine --warmup 3 --min-runs 15 --style basic --export-json "$work/$1.json" \
        "WINDIR=$work/windows $work/app/zephrix /AUTO" "sh -c \"$3\"" >/dev/null
    python3 - "$work/$1.json" "$1" "$work" "$3" <<'PY'
import json, resource, subprocess, sys, os
path, name, work, im = sys.argv[1:]
results = json.load(open(path))['results']
ours, theirs = results[0]['mean'], results[1]['mean']
def peak(command, env=None):
    before = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    subprocess.run(command, shell=True, check=True, env=env)
    return resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
env = dict(os.environ, WINDIR=work + '/windows')
ours_rss = peak(f'{work}/app/zephrix /AUTO', env)
im_rss = peak(im)
print(f'{name}: zephrix /AUTO {ours * 1000:.1f} ms, ImageMagick {theirs * 1000:.1f} ms, '
      f'ImageMagick / zephrix = {theirs / ours:.1f}; peak memory zephrix {ours_rss / 1024:.1f} MiB, ImageMagick {im_rss / 1024:.1f} MiB')
PY
}

run default "" "$im_default"
run picture "[First Logo]
Background=2
Bitmap=$work/picture.bmp
[Last Logo]
Background=2
Bitmap=$work/picture.bmp
" "$im_picture"
