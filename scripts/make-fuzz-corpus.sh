#!/usr/bin/env bash
# Regenerates the seed corpora in fuzz/corpus/<target>/ from files the project's own tools make:
# a tiny demo saver and its packed parts (lvtool), the built-in form definitions, and one small
# picture per decoder. Usage: scripts/make-fuzz-corpus.sh [LVTOOL] (default build/bin/lvtool).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
lvtool=${1:-$root/build/bin/lvtool}
[ -x "$lvtool" ] || { echo "make-fuzz-corpus: $lvtool not found; build lvtool first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
corpus=$root/fuzz/corpus
rm -rf "$corpus"
mkdir -p "$corpus"/{fuzz_container,fuzz_lvc_project,fuzz_profile,fuzz_image_package,fuzz_picture,fuzz_forms}

# A demo saver around an empty engine, so the saver is the container alone.
: > "$work/engine"
"$lvtool" make-demo "$work/demo" --size 32x24 --engine "$work/engine" >/dev/null
"$lvtool" unpack "$work/demo/Demo.scr" "$work/unpacked" >/dev/null
# A small saver (no music or sounds) for the container reader.
"$lvtool" build-saver "$work/small.scr" --engine "$work/engine" \
  --settings "$work/demo/settings.ini" "$work/demo/forest.jpg" >/dev/null

cp "$work/small.scr" "$corpus/fuzz_container/small_saver"
cp "$work/unpacked/LVC.res" "$corpus/fuzz_container/lvc_res"
cp "$work/unpacked/LVFilenames.res" "$corpus/fuzz_container/filenames_res"

cp "$work/unpacked/LVC.res" "$corpus/fuzz_lvc_project/demo_lvc_res"

cp "$work/demo/settings.ini" "$corpus/fuzz_profile/project_settings.ini"
printf '[Setting]\r\nImageSize=1\r\nImageMode=2\r\nSpeed=100\r\nSound=1\r\nMusic=0\r\nTransition=1\r\nDuration=$1E\r\nIndex=2\r\n[Files]\r\n1=1\r\n3=0x1\r\n' \
  > "$corpus/fuzz_profile/user_settings.ini"

cp "$work/demo/harbour.lvp" "$corpus/fuzz_image_package/harbour.lvp"
cp "$work/demo/winter.lvp" "$corpus/fuzz_image_package/winter.lvp"

# The first byte picks the decoder: 0 JPEG, 1 GIF, 2 BMP.
{ printf '\000'; cat "$work/demo/forest.jpg"; } > "$corpus/fuzz_picture/jpeg"
"$lvtool" mask "$work/demo/harbour.lvp" "$work/mask.bmp" >/dev/null
{ printf '\002'; cat "$work/mask.bmp"; } > "$corpus/fuzz_picture/bmp"
# A GIF needs an encoder the project does not have; this 2 x 2 two-colour image is written
# byte by byte (header, screen descriptor, palette, image descriptor, LZW data, trailer).
printf '\001GIF89a\002\000\002\000\200\000\000\377\000\000\000\000\377,\000\000\000\000\002\000\002\000\000\002\003\204\032\005\000;' \
  > "$corpus/fuzz_picture/gif"

cp "$root/data/default_forms.lvu" "$corpus/fuzz_forms/default_forms.lvu"

du -ab "$corpus" | sort -k2
