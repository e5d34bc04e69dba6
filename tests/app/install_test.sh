#!/usr/bin/env bash
# Installs the build into a temporary prefix, as `cmake --install` does for a
# user, and checks the tree there with check_tree.sh.
#
#   install_test.sh CMAKE BUILD_FOLDER VERSION
set -u

cmake=$1
build=$2
version=$3
work=$(mktemp -d /tmp/trelvan-install-XXXXXX)
trap 'rm -rf "$work"' EXIT

# A prefix with a space in it: every install rule has to quote its paths.
prefix="$work/the prefix"
if ! "$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  echo "FAIL: cmake --install failed" >&2
  cat "$work/install.log" >&2
  exit 1
fi
"$(dirname "$0")/check_tree.sh" "$prefix" "$version"
