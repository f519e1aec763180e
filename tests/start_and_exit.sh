#!/usr/bin/env bash
# Starts the program as a user would, on a private X display, checks that the
# main window "Korvith" appears with no error message beside it, takes a
# screenshot, and presses Alt-X: the program must end at once, without a
# question, with exit status 0.
set -u
program=$1
shot=${2:-}
# Run on a private X server of our own (xvfb-run picks a free display number).
if [ -z "${KORVITH_ON_XVFB:-}" ]; then
  KORVITH_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

# Folders of its own for autosaves and recent files: a copy the user's own
# windows left behind would be offered first.
folders=$(mktemp -d /tmp/korvith-start-XXXXXX)
trap 'rm -rf "$folders"' EXIT
XDG_STATE_HOME=$folders/state XDG_CONFIG_HOME=$folders/config "$program" &
pid=$!
window=
for _ in $(seq 100); do
  window=$(xdotool search --name '^Korvith$' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "no window titled Korvith appeared"
  kill $pid 2>/dev/null
  exit 1
fi
sleep 0.5
# A message from the toolkit's error log comes up as a window of its own.
message=$(xdotool search --onlyvisible --name ' (Error|Warning)$' 2>/dev/null | head -n 1)
if [ -n "$message" ]; then
  echo "an error message came up: \"$(xdotool getwindowname "$message")\""
  kill $pid 2>/dev/null
  exit 1
fi
[ -n "$shot" ] && import -window root "$shot"
xdotool mousemove 300 300
xdotool key alt+x
for _ in $(seq 50); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
if kill -0 $pid 2>/dev/null; then
  echo "Alt-X did not close the program"
  kill $pid
  exit 1
fi
wait $pid
status=$?
echo "program ended with status $status"
exit $status
