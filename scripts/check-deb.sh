#!/usr/bin/env bash
# Checks a Debian package of Korvith on this machine (needs root or sudo, and
# changes the system for a moment): installs it with apt, checks the installed
# files, starts the program from an empty folder under Xvfb (the start-up cell,
# no error message, Alt-X ends it), runs the tool on an installed sample,
# removes the package and checks that nothing of it is left.
#   scripts/check-deb.sh build-deb/korvith_*.deb
set -eu
deb=$(realpath "$1")
here=$(cd "$(dirname "$0")/.." && pwd)
as_root=
[ "$(id -u)" -eq 0 ] || as_root=sudo
[ "$(dpkg-query -W -f='${Status}' korvith 2>/dev/null)" = "install ok installed" ] && { echo "korvith is already installed; remove it first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "== installing $deb"
$as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb"
files=$(dpkg-query -L korvith)
cd "$work"
echo "== from $work"
korvith --version
korvith-tool --version
korvith-tool info /usr/share/korvith/sample/single.kor | grep '"vertices": 8,'
korvith-tool apply /usr/share/korvith/sample/torio.kor - --format=kor subdivide=2 | korvith-tool info - | grep '"level": 2,'
desktop-file-validate /usr/share/applications/org.korvith.Korvith.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.korvith.Korvith.metainfo.xml
cp /usr/share/korvith/sample/single.kor "$work/cell"
gio info -a standard::content-type "$work/cell" | grep -q 'application/x-korvith'
grep -q 'org.korvith.Korvith.desktop' /usr/share/applications/mimeinfo.cache
man -w korvith korvith-tool
"$here/tests/start_and_exit.sh" /usr/bin/korvith "$work/shot.png"
[ "$(identify -format '%k' "$work/shot.png[160x160+290+215]")" -ge 4 ]
echo "== removing"
$as_root apt-get remove -y korvith
left=
for f in $files; do
  [ -f "$f" ] && left="$left $f"
done
[ -z "$left" ] || { echo "left behind:$left" >&2; exit 1; }
gio info -a standard::content-type "$work/cell" | grep -q 'application/x-korvith' && { echo "the file type outlived the package" >&2; exit 1; }
echo "== the package installed, ran and went away cleanly"
