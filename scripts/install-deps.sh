#!/usr/bin/env bash
# Installs the Debian packages Korvith needs to build, run and test, when any is missing.
set -eu
packages="cmake g++ make pkg-config libwxgtk3.2-dev libgtest-dev libbenchmark-dev
          xvfb xauth x11-utils xdotool imagemagick
          libassimp-dev assimp-utils libcairo2-dev nlohmann-json3-dev libeigen3-dev"
missing=
for p in $packages; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=
[ "$(id -u)" -ne 0 ] && sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing >/dev/null
