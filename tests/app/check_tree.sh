#!/usr/bin/env bash
# Checks an installed tree as a user gets it: exactly the files listed in
# installed-files.txt, programs that run from there without a display, a
# desktop entry and AppStream metadata that validate, icons of their sizes
# and man pages of this version.
#   check_tree.sh PREFIX VERSION
set -u
prefix=$1
version=$2
list="$(dirname "$0")/installed-files.txt"
id=org.trelvan.Trelvan
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

listed=$(LC_ALL=C sort "$list")
found=$(cd "$prefix" && find . -mindepth 1 ! -type d | sed 's|^\./||' | LC_ALL=C sort)
[ "$found" = "$listed" ] || fail "files (< listed, > found): $(diff <(echo "$listed") <(echo "$found"))"

# No search path of their own: nothing leads back into the build tree.
programs=$(sed -n 's|^bin/||p' "$list")
for program in $programs; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" --version 2>&1)
  [ "$out" = "$program $version" ] || fail "$program --version says '$out'"
  readelf -d "$prefix/bin/$program" | grep -E 'R(UN)?PATH' >&2 && fail "$program has a library path"
  zcat "$prefix/share/man/man1/$program.1.gz" | grep -q "^\.TH .*\"$program $version\"" ||
    fail "no man page of $program $version"
done

report=$(desktop-file-validate "$prefix/share/applications/$id.desktop" 2>&1) && [ -z "$report" ] ||
  fail "desktop entry: $report"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "metadata: $report"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata has no release $version"
provided=$(sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' "$metainfo" | LC_ALL=C sort)
[ "$provided" = "$(echo "$programs" | LC_ALL=C sort)" ] || fail "the metadata provides $provided"

for size in 48 128; do
  icon="$prefix/share/icons/hicolor/${size}x$size/apps/$id.png"
  file "$icon" | grep -q "PNG image data, $size x $size," || fail "$(file "$icon")"
done

[ "$failures" -eq 0 ] || exit 1
echo "installed tree checked: $(echo "$found" | wc -l) files"
