#!/bin/sh
# Grows rings 1 and 2 around the start cell by real mouse input (xdotool,
# under a virtual X server): a Shift + double click aimed at each boundary
# vertex's drawn position plus up to 6 pixels of jitter, Zoom Out when the
# vertex lies outside the window. Prints the actions, the failures and the
# failures that said nothing, per ring. Needs a build (build/) and xvfb-run,
# xdotool. KORVITH_USER_RUN_SEED picks another jitter (26 by default).
set -e
cd "$(dirname "$0")/.."
build=${1:-build}
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/korvith_window_tests" \
    --gtest_also_run_disabled_tests --gtest_filter='UserRun.*' | grep -E '^(ring|surface|  no cell)|OK|FAILED'
