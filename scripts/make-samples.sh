#!/usr/bin/env bash
# Rebuilds the sample surfaces from the one cell: make-recipes writes
# sample/recipes/<name>.ops, and korvith-tool runs each recipe on
# sample/single.kor to write sample/<file> and draws the gallery picture
# docs/samples/<name>.png. Run it from anywhere.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVITH_RECIPES=ON >/dev/null
cmake --build build -j"$(nproc)" --target make-recipes korvith-tool
build/make-recipes sample/single.kor sample/recipes
# Later recipes read sample/torio.kor: rebuild it first, then write the recipes again.
build/korvith-tool apply sample/single.kor sample/torio.kor @sample/recipes/torio.ops
build/make-recipes sample/single.kor sample/recipes
# recipe name -> sample file name (the table of the "Sample" menu), then how the
# gallery picture looks at it (the pants from where their legs open towards the
# viewer as far as they can, the fat pants through two of them, the chimaki
# through one of its holes)
while read -r recipe file view; do
  build/korvith-tool apply sample/single.kor "sample/$file" "@sample/recipes/$recipe.ops"
  # shellcheck disable=SC2086
  build/korvith-tool apply "sample/$file" "docs/samples/$recipe.png" $view
  echo "sample/$file"
done <<'TABLE'
torio torio.kor
autopasteDemo autopasteDemo.kor zoom-out
123-123-123 123-123-123.kor rotate=1.673514,3.032212 fit
2222-2222-2222 2222-2222-2222.kor rotate=-3.008480,2.533729 fit
22-22-22 22-22-22.kor rotate=-1.861936,3.081398 fit
2323-2323-2323 2323-2323-2323.kor rotate=1.546941,-2.984557 fit
1313-1313-1313 1313-1313-1313.kor rotate=1.594431,-3.063075 fit
222-222-222-222 222-222-222-222.kor rotate=0.674671,-2.520142 fit
222diamondLattice 222diamondLattice.kor zoom-out zoom-out zoom-out zoom-out zoom-out zoom-out rotate=0.5,0.4
2321-31-1223Lattice 2321-31-1223Lattice.kor zoom-out zoom-out zoom-out zoom-out zoom-out
2222skewLattice 2222skewLattice.kor zoom-out zoom-out zoom-out zoom-out
22222Dodecahedra 22222Dodecahedra.kor zoom-out zoom-out zoom-out
13-13-3Lattice 13-13-3Lattice.kor zoom-out zoom-out zoom-out zoom-out zoom-out zoom-out
hyperbolicDisc3 hyperbolicDisc3.kor rotate=0.4,0.5 fit
hyperbolicDisc4 hyperbolicDisc4.kor rotate=0.4,0.5 fit
TABLE
# The closed surface is shaped from the chimaki by a developer script (it needs
# python3-numpy and takes some minutes); the tool then writes it as a sample.
if /usr/bin/python3 -c 'import numpy' 2>/dev/null; then
  /usr/bin/python3 tools/recipes/closed_genus3.py sample/222-222-222-222.kor build/closedGenus3-shaped.kor
  build/korvith-tool apply build/closedGenus3-shaped.kor sample/closedGenus3.kor
  build/korvith-tool apply sample/closedGenus3.kor docs/samples/closedGenus3.png rotate=0.674671,-2.520142 fit
  echo sample/closedGenus3.kor
else
  echo "python3-numpy is missing: sample/closedGenus3.kor is left as it is" >&2
fi
build/korvith-tool apply sample/single.kor docs/samples/single.png
