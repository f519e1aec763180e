#!/usr/bin/env bash
# Installs the Debian packages Korvith needs to build, run, test and package,
# when any is missing. Works as root, or as a user who may use sudo.
set -eu
packages="cmake g++ make pkg-config libwxgtk3.2-dev libgtest-dev libbenchmark-dev
          xvfb xauth x11-utils xdotool imagemagick
          libassimp-dev assimp-utils libcairo2-dev nlohmann-json3-dev zlib1g-dev lib3mf-dev admesh libeigen3-dev
          libxml2-dev poppler-utils
          desktop-file-utils appstream shared-mime-info libglib2.0-bin groff-base dpkg-dev
          clang libgtk-3-dev"
if [ "$(id -u)" -eq 0 ]; then
  as_root=
elif command -v sudo >/dev/null; then
  as_root=sudo
else
  as_root=none
fi
updated=
# Installs those of the packages named that are not installed yet.
install_missing() {
  missing=
  for p in "$@"; do
    [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || missing="$missing $p"
  done
  [ -n "$missing" ] || return 0
  echo "Installing the missing Debian packages:$missing"
  if [ "$as_root" = none ]; then
    echo "Installing packages needs root: run this script as root, or install sudo." >&2
    exit 1
  fi
  if [ -z "$updated" ]; then
    echo "Updating the package lists..."
    $as_root apt-get update
    updated=yes
  fi
  echo "Installing (this takes a few minutes on a fresh machine)..."
  # shellcheck disable=SC2086
  $as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y $missing
  echo "Done installing packages."
}
# shellcheck disable=SC2086
install_missing $packages
# The fuzzers' sanitizer runtime comes with the version of clang installed.
clang_major=$(clang --version 2>/dev/null | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n 1)
install_missing "libclang-rt-${clang_major:-14}-dev"
# The glTF validator (an npm package) checks the GLB export in the tests; where
# npm is missing or the registry cannot be reached, that one check is skipped.
validator="${XDG_CACHE_HOME:-$HOME/.cache}/korvith-node"
if command -v npm >/dev/null 2>&1 && [ ! -d "$validator/node_modules/gltf-validator" ]; then
  npm install --prefix "$validator" --no-audit --no-fund --silent gltf-validator@2.0.0-dev.3.10 >/dev/null 2>&1 ||
    echo "The glTF validator could not be installed; the tests skip its check."
fi
