#!/usr/bin/env bash
# Installs the Debian packages Korvith needs to build, run, test and package,
# when any is missing. Works as root, or as a user who may use sudo.
set -eu
packages="cmake g++ make pkg-config libwxgtk3.2-dev libgtest-dev libbenchmark-dev
          xvfb xauth x11-utils xdotool imagemagick
          libassimp-dev assimp-utils libcairo2-dev nlohmann-json3-dev
          desktop-file-utils appstream shared-mime-info libglib2.0-bin groff-base dpkg-dev
          clang libclang-rt-14-dev libgtk-3-dev"
missing=
for p in $packages; do
  [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing the missing Debian packages:$missing"
if [ "$(id -u)" -eq 0 ]; then
  as_root=
elif command -v sudo >/dev/null; then
  as_root=sudo
else
  echo "Installing packages needs root: run this script as root, or install sudo." >&2
  exit 1
fi
echo "Updating the package lists..."
$as_root apt-get update
echo "Installing (this takes a few minutes on a fresh machine)..."
# shellcheck disable=SC2086
$as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y $missing
echo "Done installing packages."
