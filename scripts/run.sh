#!/usr/bin/env bash
# Installs what is missing, builds Korvith and starts it. Without a display it
# starts the program on a private X server, saves a screenshot of the window to
# korvith-screenshot.png, and says how to run it on a desktop.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target korvith
if [ -n "${DISPLAY:-}" ]; then
  exec build/korvith
fi
echo "No display (\$DISPLAY is not set): starting Korvith on a private X server for a look."
display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
DISPLAY=$display build/korvith &
program=$!
sleep 3
DISPLAY=$display import -window root korvith-screenshot.png
kill $program 2>/dev/null || true
echo "Saved a screenshot of the window to $(pwd)/korvith-screenshot.png."
echo "To use Korvith, run build/korvith (from this directory) on a desktop session."
