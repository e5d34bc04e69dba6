#!/usr/bin/env bash
# Makes the Debian package of a build with CPack and checks its name, control
# fields, computed dependencies and files (those of `cmake --install` under
# /usr), the tree it unpacks to (check_tree.sh), and that apt could install
# it (simulated, so the machine stays as it was), and that lintian finds no
# error in it.
#   package_test.sh BUILD_FOLDER
set -u
build=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d /tmp/trelvan-package-XXXXXX)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$work/trelvan_${version}_$(dpkg --print-architecture).deb"
(cd "$build" && cpack -G DEB -B "$work") >"$work/log" 2>&1 && [ -f "$deb" ] ||
  { echo "FAIL: no $(basename "$deb")" >&2; cat "$work/log" >&2; exit 1; }

[ "$(dpkg-deb -f "$deb" Package Version)" = "$(printf 'Package: trelvan\nVersion: %s' "$version")" ] ||
  fail "$(dpkg-deb -f "$deb" Package Version)"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] && [ -n "$(dpkg-deb -f "$deb" Description)" ] ||
  fail "no Maintainer or Description"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svgwidgets6; do
  [[ ", $depends" == *", $library (>= "* ]] || fail "Depends lacks $library: $depends"
done

listed=$(sed 's|^|usr/|' "$here/installed-files.txt" | LC_ALL=C sort)
packed=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | LC_ALL=C sort)
[ "$packed" = "$listed" ] || fail "files (< listed, > packed): $(diff <(echo "$listed") <(echo "$packed"))"
dpkg-deb -x "$deb" "$work/root"
file "$work"/root/usr/bin/* | grep -v ', stripped' >&2 && fail "programs not stripped"
"$here/check_tree.sh" "$work/root/usr" "$version" || fail "the unpacked tree"
# Lintian warns when it runs as root; only its errors fail the check.
lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1
grep '^E: ' "$work/lintian.log" >&2 && fail "lintian reports errors"
apt-get install --simulate -qq "$deb" >"$work/apt.log" 2>&1 || fail "apt: $(cat "$work/apt.log")"

[ "$failures" -eq 0 ] || exit 1
echo "$(basename "$deb") checked; Depends: $depends"
