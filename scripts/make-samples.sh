#!/usr/bin/env bash
# Rebuilds the sample surfaces from the one cell: make-recipes writes
# sample/recipes/<name>.ops, and korvith-tool runs each recipe on
# sample/single.kor to write sample/<file> and draws the gallery picture
# docs/samples/<name>.png. Run it from anywhere.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target make-recipes korvith-tool
build/make-recipes sample/single.kor sample/recipes
# recipe name -> sample file name (the table of the "Sample" menu)
while read -r recipe file; do
  build/korvith-tool apply sample/single.kor "sample/$file" "@sample/recipes/$recipe.ops"
  build/korvith-tool apply "sample/$file" "docs/samples/$recipe.png"
  echo "sample/$file"
done <<'TABLE'
torio torio.kor
123-123-123 123-123-123.kor
2222-2222-2222 2222-2222-2222.kor
22-22-22 22-22-22.kor
2323-2323-2323 2323-2323-2323.kor
1313-1313-1313 1313-1313-1313.kor
222-222-222-222 222-222-222-222.kor
TABLE
build/korvith-tool apply sample/single.kor docs/samples/single.png
