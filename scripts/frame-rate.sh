#!/usr/bin/env bash
# Measures how the window keeps pace while it relaxes a surface: starts Korvith
# on SURFACE.kor (under a private X server when there is no display), zooms out
# until the surface fits the window, chooses "Modify until stable", and after
# it ends (or after SECONDS) prints the paints, the ticks, the frames per second
# and the CPU milliseconds per paint and per tick.
#
#   scripts/frame-rate.sh [--copies N] [--smooth N] [--seconds S] [--vector] SURFACE.kor
#
# --smooth N chooses "Smoothen" N times first, so that a relaxed sample has
# something to relax. --vector paints with the toolkit's antialiased vector
# shapes, as the window did before it had its own renderer.
# --copies N stacks N copies of the surface along the viewing axis (each 3
# units deeper), for sizes no sample has. Needs build/korvith (scripts/run.sh
# or scripts/test.sh builds it), xdotool and, without a display, xvfb-run.
set -eu
here="$(cd "$(dirname "$0")/.." && pwd)"
copies=1
smooth=0
seconds=20
stats=1
while [ $# -gt 1 ]; do
  case "$1" in
    --copies) copies=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --smooth) smooth=$2; shift 2 ;;
    --vector) stats=vector; shift ;;
    *) echo "usage: $0 [--copies N] [--smooth N] [--seconds S] [--vector] SURFACE.kor" >&2; exit 2 ;;
  esac
done
[ $# -eq 1 ] || { echo "usage: $0 [--copies N] [--smooth N] [--seconds S] [--vector] SURFACE.kor" >&2; exit 2; }
surface="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
[ -f "$surface" ] || { echo "$0: no such file: $1" >&2; exit 1; }
program="$here/build/korvith"
[ -x "$program" ] || { echo "$0: build the program first (scripts/run.sh or scripts/test.sh)" >&2; exit 1; }

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" --copies "$copies" --smooth "$smooth" --seconds "$seconds" $([ "$stats" = vector ] && echo --vector) "$surface"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The surface to open: the file itself, or its stacked copies.
input="$surface"
if [ "$copies" -gt 1 ]; then
  input="$work/stacked.kor"
  awk -v n="$copies" -f - "$surface" > "$input" <<'AWK'
    /^##/ { section = $0; next }
    section == "##vertex" && nv == "" { nv = $1; next }
    section == "##edge" && ne == "" { ne = $1; next }
    section == "##face" && ns == "" { ns = $1; next }
    section == "##vertex" { split($0, p, ","); vx[++iv] = p[1]; vy[iv] = p[2]; vz[iv] = p[3]; next }
    section == "##edge" { split($0, p, ","); ea[++ie] = p[1]; eb[ie] = p[2]; et[ie] = p[3]; next }
    section == "##face" { split($0, p, ","); fa[++is] = p[1]; fb[is] = p[2]; fc[is] = p[3]; next }
    section == "##subdiv_level" { level = $1; next }
    END {
      print "##korvith01"; print "##vertex"; print nv * n
      for (c = 0; c < n; c++) for (i = 1; i <= nv; i++) printf "%s,%s,%.6g\n", vx[i], vy[i], vz[i] + 3 * c
      print "##edge"; print ne * n
      for (c = 0; c < n; c++) for (i = 1; i <= ne; i++) printf "%d,%d,%s\n", ea[i] + c * nv, eb[i] + c * nv, et[i]
      print "##face"; print ns * n
      for (c = 0; c < n; c++) for (i = 1; i <= ns; i++) printf "%d,%d,%d\n", fa[i] + c * nv, fb[i] + c * nv, fc[i] + c * nv
      print "##subdiv_level"; print (level == "" ? 1 : level); print "##end"
    }
AWK
fi

# Zoom-outs (1/1.25 each) until the surface's extent fits the start-up window's picture.
zooms=$(awk -F, '/^##vertex/ {on = 1; getline; next} /^##/ {on = 0} on && NF == 3 {
          x = ($1 < 0 ? -$1 : $1); y = ($2 < 0 ? -$2 : $2); if (x > mx) mx = x; if (y > my) my = y }
        END { r = 100; k = 0; while ((mx * r > 300 || my * r > 200) && r > 15) { r /= 1.25; k++ } print k }' "$input")

KORVITH_FRAME_STATS=$stats "$program" "$input" 2> "$work/stats" &
pid=$!
window=$(xdotool search --sync --onlyvisible --name "Korvith" | head -1)
sleep 1
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
for _ in $(seq "$zooms"); do xdotool key minus; sleep 0.1; done
for _ in $(seq "$smooth"); do xdotool key Return; sleep 0.3; done
sleep 0.5
xdotool key ctrl+shift+m
for _ in $(seq $((seconds * 10))); do
  grep -q '^frame-stats:' "$work/stats" && break
  sleep 0.1
done
if ! grep -q '^frame-stats:' "$work/stats"; then
  xdotool key ctrl+shift+m   # still relaxing: stop it, which ends the measurement
  sleep 1
fi
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
line=$(grep '^frame-stats:' "$work/stats" | head -1)
[ -n "$line" ] || { echo "$0: the window reported nothing" >&2; cat "$work/stats" >&2; exit 1; }
faces=$(awk '/^##face/ {getline; print; exit}' "$input")
echo "$line" | awk -v name="$(basename "$surface")" -v copies="$copies" -v faces="$faces" -v zooms="$zooms" -v smooth="$smooth" -v painter="$([ "$stats" = vector ] && echo vector shapes || echo renderer)" '{
  printf "%s: %s x%d (%d faces, %d zoom-outs, smoothed %d times): paints %d, ticks %d, %.1f s, %.1f frames per second, %.2f ms CPU per paint, %.2f ms CPU per tick besides painting\n",
         painter, name, copies, faces, zooms, smooth, $3, $5, $7, $9, $11, $13 }'
