#!/usr/bin/env bash
# Makes the Debian package of a build with CPack and checks it as apt would
# take it: its name, its control fields and computed dependencies, its files
# (the same as `cmake --install` puts under /usr), stripped programs, and the
# tree it unpacks to, with check_tree.sh. apt only simulates the install, so
# the machine is left as it was.
#
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

for tool in cpack dpkg-deb dpkg-shlibdeps apt-get; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
arch=$(dpkg --print-architecture)
if ! (cd "$build" && cpack -G DEB -B "$work/out") >"$work/cpack.log" 2>&1; then
  echo "FAIL: cpack failed" >&2
  cat "$work/cpack.log" >&2
  exit 1
fi
deb="$work/out/trelvan_${version}_$arch.deb"
[ -f "$deb" ] || { echo "FAIL: no $(basename "$deb"), only: $(ls "$work/out")" >&2; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = trelvan ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
# The dependencies come from the libraries the programs link, each with the
# lowest version that has the symbols they use.
depends=$(field Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svgwidgets6; do
  [[ ", $depends" == *", $library (>= "* ]] || fail "Depends lacks $library: $depends"
done

# The files: those of `cmake --install`, under /usr.
listed=$(sed 's|^|usr/|' "$here/installed-files.txt" | LC_ALL=C sort)
packed=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | LC_ALL=C sort)
if [ "$packed" != "$listed" ]; then
  fail "packed files differ from the list (< listed, > packed):"
  diff <(echo "$listed") <(echo "$packed") >&2
fi

dpkg-deb -x "$deb" "$work/root"
for program in "$work"/root/usr/bin/*; do
  file -b "$program" | grep -q ', stripped' || fail "$(basename "$program") is not stripped"
done
"$here/check_tree.sh" "$work/root/usr" "$version" || fail "the unpacked tree"

# apt would install it here: every dependency can be met.
apt-get install --simulate -qq "$deb" >"$work/apt.log" 2>&1 ||
  { fail "apt cannot install the package"; cat "$work/apt.log" >&2; }

[ "$failures" -eq 0 ] || { echo "$failures failure(s)" >&2; exit 1; }
echo "package $(basename "$deb") checked; Depends: $depends"
