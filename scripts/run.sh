#!/usr/bin/env bash
# Installs what is missing, builds Korvith and starts it. Without a display it
# starts the program on a private X server, saves a screenshot of the window to
# korvith-screenshot.png, and says how to run it on a desktop.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target korvith korvith-tool
if [ -n "${DISPLAY:-}" ]; then
  exec build/korvith
fi
echo "No display (\$DISPLAY is not set): starting Korvith on a private X server for a look."
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c '
  build/korvith &
  program=$!
  sleep 3
  import -window root -crop 640x480+50+50 +repage korvith-screenshot.png
  kill $program 2>/dev/null || true'
echo "Saved a screenshot of the window to $(pwd)/korvith-screenshot.png."
echo "To use Korvith, run build/korvith (from this directory) on a desktop session."
