#!/usr/bin/env bash
# `cmake --install` into a temporary prefix, with a space in it so that every
# install rule has to quote its paths, then check_tree.sh on what lands there.
#   install_test.sh CMAKE BUILD_FOLDER VERSION
set -u
work=$(mktemp -d /tmp/trelvan-install-XXXXXX)
trap 'rm -rf "$work"' EXIT
"$1" --install "$2" --prefix "$work/the prefix" >"$work/log" 2>&1 ||
  { echo "FAIL: cmake --install" >&2; cat "$work/log" >&2; exit 1; }
"$(dirname "$0")/check_tree.sh" "$work/the prefix" "$3"
