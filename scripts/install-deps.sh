#!/usr/bin/env bash
# Installs the Debian packages Korvith needs to build, run and test, when any is missing.
set -eu
packages="cmake g++ make pkg-config libwxgtk3.2-dev libgtest-dev libbenchmark-dev
          xvfb xauth x11-utils xdotool imagemagick
          libassimp-dev assimp-utils libcairo2-dev nlohmann-json3-dev zlib1g-dev lib3mf-dev admesh"
missing=
for p in $packages; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  sudo=
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing >/dev/null
fi
# The glTF validator (an npm package) checks the GLB export in the tests; where
# npm is missing or the registry cannot be reached, that one check is skipped.
validator="${XDG_CACHE_HOME:-$HOME/.cache}/korvith-node"
if command -v npm >/dev/null 2>&1 && [ ! -d "$validator/node_modules/gltf-validator" ]; then
  npm install --prefix "$validator" --no-audit --no-fund --silent gltf-validator@2.0.0-dev.3.10 >/dev/null 2>&1 ||
    echo "The glTF validator could not be installed; the tests skip its check."
fi
