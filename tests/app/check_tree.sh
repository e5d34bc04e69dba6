#!/usr/bin/env bash
# Checks an installed tree as a user gets it: exactly the files listed in
# installed-files.txt beside this script, programs that run from there
# without a display and name this version, a desktop entry and AppStream
# metadata that validate and point at what is installed, icons of their
# sizes and man pages of this version that render without warnings.
#
#   check_tree.sh PREFIX VERSION
#
# Prints each problem and exits 1 when there was any.
set -u

prefix=$1
version=$2
here=$(dirname "$(realpath "$0")")
id=org.trelvan.Trelvan
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

for tool in desktop-file-validate appstreamcli file readelf groff; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done

# Exactly the listed files, nothing more or less.
listed=$(LC_ALL=C sort "$here/installed-files.txt")
found=$(cd "$prefix" && find . -mindepth 1 ! -type d | sed 's|^\./||' | LC_ALL=C sort)
if [ "$found" != "$listed" ]; then
  fail "installed files differ from the list (< listed, > installed):"
  diff <(echo "$listed") <(echo "$found") >&2
fi

# Every program runs from the tree without a display, names its version, and
# searches no library path of its own (none into the build tree above all).
programs=$(sed -n 's|^bin/||p' "$here/installed-files.txt")
for program in $programs; do
  binary="$prefix/bin/$program"
  [ -x "$binary" ] || { fail "$program is not installed"; continue; }
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$binary" --version 2>&1)
  [ "$out" = "$program $version" ] || fail "$program --version says '$out'"
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$binary" --help >/dev/null 2>&1 ||
    fail "$program --help failed"
  readelf -d "$binary" | grep -E 'R(UN)?PATH' >&2 && fail "$program carries a library path"
  page="$prefix/share/man/man1/$program.1"
  if [ -f "$page" ]; then
    grep -q "^\.TH .*\"$program $version\"" "$page" || fail "$program.1 is not of version $version"
    warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
    [ -z "$warnings" ] || fail "$program.1: $warnings"
  else
    fail "no man page for $program"
  fi
done
help=$("$prefix/bin/trelvan" --help 2>&1)
for word in XDG_DATA_HOME conf.txt wp.dat; do
  [[ "$help" == *"$word"* ]] || fail "trelvan --help does not mention $word"
done
out=$(echo "0 0 0" | "$prefix/bin/trelvan-calc" utm)
[ "$out" = "166021.443 0.000 0.000 31 N" ] || fail "the installed trelvan-calc computed '$out'"

# The desktop entry: valid without even a hint, starting an installed
# program, with an icon the theme holds.
entry="$prefix/share/applications/$id.desktop"
report=$(desktop-file-validate "$entry" 2>&1) && [ -z "$report" ] || fail "desktop entry: $report"
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[ -x "$prefix/bin/$exec_program" ] || fail "the desktop entry starts '$exec_program'"
[ "$(sed -n 's/^Icon=//p' "$entry")" = "$id" ] || fail "the desktop entry's icon is not $id"

# The metadata: valid, of this version, launching the entry and providing
# exactly the installed programs.
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "metadata: $report"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata has no release $version"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the metadata does not launch $id.desktop"
provided=$(sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' "$metainfo" | LC_ALL=C sort)
[ "$provided" = "$(echo "$programs" | LC_ALL=C sort)" ] ||
  fail "the metadata provides '$(echo $provided)', the tree holds '$(echo $programs)'"

# The icons at their sizes.
icons="$prefix/share/icons/hicolor"
for size in 48 128; do
  file "$icons/${size}x$size/apps/$id.png" | grep -q "PNG image data, $size x $size," ||
    fail "the ${size}x$size icon is $(file -b "$icons/${size}x$size/apps/$id.png")"
done
file "$icons/scalable/apps/$id.svg" | grep -q "SVG" || fail "the scalable icon is no SVG"

[ "$failures" -eq 0 ] || { echo "$failures failure(s) in $prefix" >&2; exit 1; }
echo "installed tree checked: $(echo "$found" | wc -l) files"
