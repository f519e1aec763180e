#!/usr/bin/env bash
# Installs Korvith from the build folder given as $1 into a temporary prefix and
# checks it as a new user would meet it: every file in its place, the desktop
# entry, AppStream data and file type valid, a .kor file recognised by its name
# and by its first line; the installed window program, started from an empty
# folder, shows the start-up cell without an error message and closes with
# Alt-X; the installed tool reads an installed sample and works through a pipe.
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
faults=0
fault() { echo "FAULT: $*"; faults=$((faults + 1)); }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; exit 1; }
id=org.korvith.Korvith
share=$prefix/share
for f in bin/korvith bin/korvith-tool share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/mime/packages/$id.xml share/icons/hicolor/scalable/apps/$id.svg \
         share/man/man1/korvith.1.gz share/man/man1/korvith-tool.1.gz; do
  [ -e "$prefix/$f" ] || fault "not installed: $f"
done
for size in 16 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x$size/apps/$id.png
  [ "$(identify -format '%wx%h' "$png" 2>/dev/null)" = "${size}x$size" ] || fault "no ${size}x$size icon"
done
samples=$(find "$share/korvith/sample" -name '*.kor' 2>/dev/null | wc -l)
[ "$samples" -eq 17 ] || fault "$samples samples installed, not 17"

# The desktop entry, the AppStream data and the man pages are well-formed.
desktop-file-validate "$share/applications/$id.desktop" || fault "desktop entry invalid"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >"$work/as.log" 2>&1 ||
  { cat "$work/as.log"; fault "AppStream data invalid"; }
for page in korvith korvith-tool; do
  warnings=$(zcat "$share/man/man1/$page.1.gz" | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z 2>&1)
  [ -z "$warnings" ] || fault "man page $page: $warnings"
done

# The file type: known by the extension, and by "##korvith01" in a file whose
# name says nothing.
update-mime-database "$share/mime" >/dev/null 2>&1 || fault "update-mime-database failed"
printf '3\n0,0,0\n' >"$work/cell.kor"  # the older form has no marker line
cp "$share/korvith/sample/single.kor" "$work/cell"
for f in cell.kor cell; do
  type=$(XDG_DATA_DIRS="$share:/usr/share" gio info -a standard::content-type "$work/$f" |
         sed -n 's/.*standard::content-type: //p')
  [ "$type" = application/x-korvith ] || fault "$f is taken for \"$type\""
done
grep -q '^MimeType=application/x-korvith;' "$share/applications/$id.desktop" || fault "desktop entry opens no .kor"

# From a folder without samples: versions, the tool on an installed sample and through a pipe.
mkdir "$work/elsewhere"
cd "$work/elsewhere" || exit 1
[ "$("$prefix/bin/korvith" --version)" = "$("$prefix/bin/korvith-tool" --version | sed 's/-tool//')" ] ||
  fault "the two programs give different versions"
"$prefix/bin/korvith" --version | grep -q '^korvith [0-9]' || fault "korvith --version"
"$prefix/bin/korvith-tool" info "$share/korvith/sample/single.kor" >info.json || fault "tool info failed"
grep -q '"vertices": 8,' info.json || fault "tool info on single.kor: $(head -3 info.json)"
"$prefix/bin/korvith-tool" apply "$share/korvith/sample/torio.kor" - --format=kor subdivide=2 |
  "$prefix/bin/korvith-tool" info - >piped.json || fault "tool pipeline failed"
grep -q '"level": 2,' piped.json || fault "piped surface: $(head -3 piped.json)"

# The window program shows one cell: the middle of the canvas is shaded, not blank.
"$here/start_and_exit.sh" "$prefix/bin/korvith" "$work/shot.png" >"$work/window.log" 2>&1 ||
  { cat "$work/window.log"; fault "the installed program did not start and close cleanly"; }
colours=$(identify -format '%k' "$work/shot.png[160x160+290+215]" 2>/dev/null || echo 0)
[ "$colours" -ge 4 ] || fault "the canvas shows no cell ($colours colours in its middle)"

[ "$faults" -eq 0 ] && echo "installed into $prefix and checked: all well"
exit $((faults > 0))
