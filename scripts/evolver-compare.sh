#!/usr/bin/env bash
# Side-by-side figures for Relax precisely: runs the surfaces of
# bench/bench_precise_relaxation.cpp through Surface Evolver (Debian's
# evolver-nox, double precision) with conjugate gradient on the same spring
# energy, the sum over edges of (L - phi)^2 with each edge's own target length
# (Evolver's hooke2_energy), and prints one line per surface: iterations, the
# largest relative edge error reached and Evolver's CPU seconds to 1e-3 and
# 1e-6 (-1: not reached). Not part of the tests; optional.
#
# Usage: scripts/evolver-compare.sh [BUILD_DIR [SECONDS_PER_SURFACE]]
# BUILD_DIR holds korvith-tool (default build-release); each surface stops
# after SECONDS_PER_SURFACE of Evolver's clock (default 300).
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-release}"
limit="${2:-300}"
tool="$build/korvith-tool"
evolver="$(command -v evolver-nox-d || true)"
if [ -z "$evolver" ]; then
  echo "evolver-compare: evolver-nox-d is missing (apt-get install evolver-nox)" >&2
  exit 1
fi
if [ ! -x "$tool" ]; then
  echo "evolver-compare: $tool is missing (cmake --build $build --target korvith-tool)" >&2
  exit 1
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The commands Evolver runs on each surface: conjugate gradient on, then ten
# iterations at a time until the largest relative edge error is 1e-6.
cat >"$work/run.cmd" <<EOF
U;
quiet on;
t0 := clock;
t3 := -1; t6 := -1; its := 0;
err := max(edge, abs(length - hooke_size) / hooke_size);
while err > 1e-6 && clock - t0 < $limit do {
  g 10; its := its + 10;
  err := max(edge, abs(length - hooke_size) / hooke_size);
  if t3 < 0 && err <= 1e-3 then t3 := clock - t0
};
if err <= 1e-6 then t6 := clock - t0;
quiet off;
printf "RESULT iterations %d error %.3g to_1e-3 %.3g to_1e-6 %.3g\n", its, err, t3, t6;
q
EOF

# A .kor file written with every digit, as a Surface Evolver datafile: the
# vertices and the edges, each edge a spring with its target length.
to_fe() {
  awk -F, '
    /^##/ { section = $0; header = 1; next }
    header { header = 0
             if (section == "##vertex") { print "define edge attribute hooke_size real"
                                          print "quantity springs energy method hooke2_energy global"
                                          print ""; print "vertices" }
             if (section == "##edge") { print ""; print "edges" }
             next }
    section == "##vertex" { printf "%d %s %s %s\n", ++nv, $1, $2, $3 }
    section == "##edge" { printf "%d %d %d hooke_size %s\n", ++ne, $1 + 1, $2 + 1, $3 }' "$1"
}

# label, sample file, operations (as korvith-tool apply takes them)
while read -r label file ops; do
  # shellcheck disable=SC2086
  "$tool" apply "$root/sample/$file" "$work/surface.kor" --digits=17 $ops
  to_fe "$work/surface.kor" >"$work/surface.fe"
  edges="$(awk -F, '/^##edge/ { getline; print $1 }' "$work/surface.kor")"
  result="$(echo q | "$evolver" -x -f "$work/run.cmd" "$work/surface.fe" 2>&1 | sed -n "s/^RESULT //p")"
  echo "$label edges $edges ${result:-evolver gave no result}"
done <<'EOF'
D2 22222Dodecahedra.kor subdivide=2
D3 22222Dodecahedra.kor subdivide=3
D4 22222Dodecahedra.kor subdivide=4
D5 22222Dodecahedra.kor subdivide=5
DiamondLattice2+smooth 13-13-3Lattice.kor smooth=1
DiamondLattice1 222diamondLattice.kor
RhombicLattice 2321-31-1223Lattice.kor
CubicLattice 2222skewLattice.kor
CubicLattice/2 2222skewLattice.kor subdivide=2
EOF
