#!/usr/bin/env bash
# The three programs answer --help and --version by one rule, without a
# display: --help wins, then --version, whatever else the line holds; and
# standard output that cannot be written is said on standard error, with
# exit status 1.
#   programs_test.sh VERSION PROGRAM...
set -u
version=$1
shift
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
for program in "$@"; do
  name=$(basename "$program")
  run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@"; }
  [ "$(run nonsense --version)" = "$name $version" ] || fail "$name nonsense --version"
  run --version --nonsense -h | grep -qi "^usage: $name" || fail "$name --version -h: no help"
  for asked in --help --version; do
    err=$(run "$asked" 2>&1 >/dev/full)
    status=$?
    [ "$status" -eq 1 ] || fail "$name $asked to a full disk: exit status $status"
    [[ "$err" =~ ^"$name: cannot write the "[a-z]+": No space left on device"$ ]] ||
      fail "$name $asked to a full disk says '$err'"
  done
done
[ "$failures" -eq 0 ]
