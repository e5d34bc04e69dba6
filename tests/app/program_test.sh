#!/usr/bin/env bash
# Starts the real program on a virtual X display and checks that SIGTERM,
# SIGINT and SIGHUP end it through its ordinary close path: every open form
# closes, both files are saved and the exit status is 0. Also that a second
# program on the same data folder refuses to start, that a change is on disk
# before the next window shows (a SIGKILL or a lost display then loses
# nothing), that a killed program's lock does not block the next start and
# that a failed save at the close ends with status 1. And that the lock on
# the data folder holds against trelvan-waypoints whatever is done to the
# files in the folder, and names its holder both ways.
#
#   program_test.sh path/to/trelvan path/to/trelvan-waypoints
#
# With TRELVAN_SCREENSHOTS=1 the main form and the Units form are saved as
# main.png and units.png in a folder "screenshots" beside the program.
set -u

program=$(realpath "$1")
tool=$(realpath "$2")
work=$(mktemp -d /tmp/trelvan-program-XXXXXX)
xvfb_pid=
app_pid=
second_pid=
tool_pid=
lost_xvfb_pid=
failures=0

cleanup() {
  [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
  [ -n "$second_pid" ] && kill -KILL "$second_pid" 2>/dev/null
  [ -n "$tool_pid" ] && kill -KILL "$tool_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "$lost_xvfb_pid" ] && kill "$lost_xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

for needed in Xvfb xdotool flock; do
  command -v "$needed" >/dev/null || { echo "FAIL: $needed is not installed" >&2; exit 1; }
done

# A display of our own: Xvfb picks a free number and writes it to fd 3, so
# two runs at once never collide. Without -noreset the server resets each
# time its last client leaves, and a program started during that reset
# cannot connect. Starts one named $1; its pid goes to $work/$1.pid and its
# number to $work/$1.
start_display() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/$1" 2>"$work/$1.log" &
  echo $! >"$work/$1.pid"
  for _ in $(seq 100); do
    [ -s "$work/$1" ] && return 0
    sleep 0.05
  done
  echo "FAIL: Xvfb did not start" >&2
  cat "$work/$1.log" >&2
  return 1
}

start_display display || exit 1
xvfb_pid=$(cat "$work/display.pid")
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Prints the id of the visible window whose whole title matches $1; waits at
# most $2 tenths of a second, and not at all once the program has ended.
wait_window() {
  local id
  for _ in $(seq "$2"); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$app_pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Starts the program in $work with the environment given as arguments
# (VAR=value or -u VAR), its output in $work/app.log.
start() {
  env -C "$work" "$@" "$program" >"$work/app.log" 2>&1 &
  app_pid=$!
}

# Waits at most $1 tenths of a second until the command after it succeeds.
wait_for() {
  local tenths=$1
  shift
  for _ in $(seq "$tenths"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

ended() { ! kill -0 "$1" 2>/dev/null; }

# Whether process $1 shows at least $2 visible windows.
shows_windows() {
  [ "$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | wc -l)" -ge "$2" ]
}

# Opens item $1 of "Menu" (counted from the top, separators not counted) in
# the main window $2.
open_menu() {
  local keys=()
  xdotool mousemove --window "$2" 20 10 click 1
  # The menu is open once the program shows a second window.
  wait_for 50 shows_windows "$app_pid" 2
  for _ in $(seq "$1"); do keys+=(Down); done
  xdotool key "${keys[@]}" Return
}

# Stores a Forward 3D result (the base itself: every field reads 0) from the
# main window $1, as a user would, and returns once the Waypoints form shows
# it. By then the result must be on disk.
store_forward_result() {
  open_menu 4 "$1"
  wait_window "Forward 3D" 50 >/dev/null || return 1
  xdotool key Return
  wait_window Waypoints 50 >/dev/null
}

# Whether wp.dat in folder $1 holds the result store_forward_result stored on
# a first start: record 1 in use as "WP #1".
has_forward_result() {
  [ "$(head -c 62 "$1/wp.dat" 2>/dev/null | tail -c 6 | od -An -c | tr -d ' ')" = '001WP#1' ]
}

# Sends signal $1 and expects the program to end within five seconds with
# status $2 (0 when not given).
stop_with() {
  local status expected="${2:-0}"
  kill -s "$1" "$app_pid"
  for _ in $(seq 50); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$app_pid" 2>/dev/null; then
    fail "SIG$1: the program is still running"
    kill -KILL "$app_pid"
  fi
  wait "$app_pid"
  status=$?
  app_pid=
  [ "$status" -eq "$expected" ] || { fail "SIG$1: exit status $status"; cat "$work/app.log" >&2; }
}

# Both files in folder $1 as a save leaves them.
check_files() {
  local conf="$1/conf.txt" wp="$1/wp.dat"
  if [ -f "$conf" ]; then
    if ! grep -Eqx -- '-?[0-9]+( -?[0-9]+){5}' "$conf" || [ "$(wc -l <"$conf")" -ne 1 ]; then
      fail "$2: conf.txt holds '$(cat "$conf")'"
    fi
  else
    fail "$2: no conf.txt"
  fi
  if [ -f "$wp" ]; then
    [ "$(stat -c %s "$wp")" -eq 2800 ] || fail "$2: wp.dat has $(stat -c %s "$wp") bytes"
  else
    fail "$2: no wp.dat"
  fi
  # No temporary file of an interrupted save is left behind, and the lock
  # (on the folder itself) leaves nothing.
  [ "$(find "$1" -mindepth 1 | wc -l)" -eq 2 ] ||
    fail "$2: $(ls -A "$1") in the data folder"
}

# What went wrong when a window did not show.
no_window() {
  fail "$1: no window"
  kill -0 "$xvfb_pid" 2>/dev/null || echo "  the X server has gone" >&2
  sed 's/^/  /' "$work/app.log" >&2
  [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
  app_pid=
}

screenshot() {
  [ "${TRELVAN_SCREENSHOTS:-0}" = 1 ] || return 0
  local folder
  folder="$(dirname "$program")/screenshots"
  mkdir -p "$folder"
  sleep 0.3  # let the window paint
  import -window root "$folder/$1" || fail "screenshot $1"
}

# Each signal on a first start, where both files are created. SIGINT runs
# without XDG_DATA_HOME and SIGHUP with a relative one, which does not count:
# the files go to ~/.local/share/trelvan.
for signal in TERM INT HUP; do
  if [ "$signal" != TERM ]; then
    home="$work/home-$signal"
    mkdir -p "$home"
    if [ "$signal" = INT ]; then
      start -u XDG_DATA_HOME HOME="$home"
    else
      start XDG_DATA_HOME=relative HOME="$home"
    fi
    folder="$home/.local/share/trelvan"
  else
    start XDG_DATA_HOME="$work/xdg-$signal"
    folder="$work/xdg-$signal/trelvan"
  fi
  if wait_window TRELVAN 100 >/dev/null; then
    [ "$signal" = TERM ] && screenshot main.png
    stop_with "$signal"
    check_files "$folder" "SIG$signal"
    [ -e "$work/relative" ] && fail "a relative XDG_DATA_HOME was used"
  else
    no_window "SIG$signal"
  fi
done

# Saved settings and waypoints come back unchanged: six records "WP 0" to
# "WP 5", so that the base index 5 names one of them.
folder="$work/xdg-kept/trelvan"
mkdir -p "$folder"
printf '1 1 2 17 3 5\n' >"$work/conf.expected"
{
  for i in 0 1 2 3 4 5; do
    printf '\001WP %d' "$i"
    head -c $((23 - 4)) /dev/zero
    head -c 32 /dev/zero
  done
  head -c $((44 * 56)) /dev/zero
} >"$work/wp.expected"
cp "$work/conf.expected" "$folder/conf.txt"
cp "$work/wp.expected" "$folder/wp.dat"
start XDG_DATA_HOME="$work/xdg-kept"
if wait_window TRELVAN 100 >/dev/null; then
  stop_with TERM
  cmp -s "$folder/conf.txt" "$work/conf.expected" || fail "settings written as '$(cat "$folder/conf.txt")'"
  cmp -s "$folder/wp.dat" "$work/wp.expected" || fail "waypoints not written back unchanged"
else
  no_window "kept settings"
fi

# A form open over the main form closes first, then the main form saves.
start XDG_DATA_HOME="$work/xdg-nested"
if main=$(wait_window TRELVAN 100); then
  # "Menu" is the first thing at the top left; "Units..." is its tenth item.
  open_menu 10 "$main"
  if wait_window Units 50 >/dev/null; then
    screenshot units.png
    stop_with TERM
    check_files "$work/xdg-nested/trelvan" "Units form open"
  else
    no_window "Units form"
  fi
else
  no_window "nested"
fi

# A data folder that cannot be made, so not locked either: the reason shows
# (and goes to standard error), a signal closes it and the program ends
# with status 1 without touching what is in the way.
mkdir -p "$work/xdg-blocked"
echo "not a folder" >"$work/xdg-blocked/trelvan"
start XDG_DATA_HOME="$work/xdg-blocked"
if wait_window TRELVAN 100 >/dev/null; then
  stop_with TERM 1
  [ "$(cat "$work/xdg-blocked/trelvan")" = "not a folder" ] || fail "the blocking file was changed"
  grep -q "cannot be locked" "$work/app.log" || fail "blocked folder: $(cat "$work/app.log")"
else
  no_window "blocked folder"
fi

# Runs trelvan-waypoints over the data folder of $1 with the arguments after
# it; its output goes to $work/tool.log and its status to $tool_status.
run_tool() {
  local xdg=$1
  shift
  env XDG_DATA_HOME="$xdg" "$tool" "$@" >"$work/tool.log" 2>&1
  tool_status=$?
}

# The lock cannot be lost by what is done to the files beside the data: with
# "trelvan.lock" removed, or a folder of that name put there, an import is
# still refused while the program runs (status 3, the program named), and
# the result the program stored is on disk after it ends.
printf 'name,latitude,longitude\nIMPORTED,1,2\n' >"$work/one.csv"
for what in removed folder; do
  folder="$work/xdg-lock-$what/trelvan"
  start XDG_DATA_HOME="$work/xdg-lock-$what"
  if main=$(wait_window TRELVAN 100) && store_forward_result "$main"; then
    rm -rf "$folder/trelvan.lock"
    [ "$what" = folder ] && mkdir "$folder/trelvan.lock"
    run_tool "$work/xdg-lock-$what" import "$work/one.csv"
    [ "$tool_status" -eq 3 ] || fail "lock $what: import exit status $tool_status"
    grep -qxF "TRELVAN is running with this data folder; close it first." "$work/tool.log" ||
      fail "lock $what: $(cat "$work/tool.log")"
    stop_with TERM
    has_forward_result "$folder" || fail "lock $what: the stored result is lost"
    run_tool "$work/xdg-lock-$what" import "$work/one.csv"
    [ "$tool_status" -eq 0 ] || fail "lock $what: import after the end: $(cat "$work/tool.log")"
    has_forward_result "$folder" || fail "lock $what: the import lost the stored result"
  else
    no_window "lock $what"
  fi
done

# An import that holds the folder (its file is a pipe that is still being
# written) keeps the program out, and the program names it.
folder="$work/xdg-importing/trelvan"
mkdir -p "$folder"
mkfifo "$work/slow.csv"
env XDG_DATA_HOME="$work/xdg-importing" "$tool" import "$work/slow.csv" >"$work/tool.log" 2>&1 &
tool_pid=$!
exec 4>"$work/slow.csv"
printf 'name,latitude,longitude\n' >&4
held() { ! flock -n "$folder" true; }
if wait_for 100 held; then
  start XDG_DATA_HOME="$work/xdg-importing"
  wait_for 100 grep -qxF "trelvan-waypoints is importing into this data folder." "$work/app.log" ||
    fail "held by an import: $(cat "$work/app.log")"
  if wait_window TRELVAN 100 >/dev/null; then
    stop_with TERM 1
  else
    no_window "held by an import"
  fi
else
  fail "the import did not take the folder"
fi
printf 'SLOW,3,4\n' >&4
exec 4>&-
wait "$tool_pid"
status=$?
tool_pid=
[ "$status" -eq 0 ] || fail "the slow import: status $status: $(cat "$work/tool.log")"
grep -qF "1 imported" "$work/tool.log" || fail "the slow import: $(cat "$work/tool.log")"

# A second program on a data folder that a running one holds says so, ends
# with status 1 once its message is closed, and reads or writes neither file.
folder="$work/xdg-twice/trelvan"
mkdir -p "$folder"
cp "$work/conf.expected" "$folder/conf.txt"
cp "$work/wp.expected" "$folder/wp.dat"
start XDG_DATA_HOME="$work/xdg-twice"
if wait_window TRELVAN 100 >/dev/null; then
  env -C "$work" XDG_DATA_HOME="$work/xdg-twice" "$program" >"$work/second.log" 2>&1 &
  second_pid=$!
  wait_for 100 grep -qxF "TRELVAN is already running with this data folder." "$work/second.log" ||
    fail "second start: no refusal on standard error: $(cat "$work/second.log")"
  wait_for 50 shows_windows "$second_pid" 1 || fail "second start: no message window"
  kill -TERM "$second_pid"
  wait "$second_pid"
  status=$?
  second_pid=
  [ "$status" -eq 1 ] || fail "second start: exit status $status"
  cmp -s "$folder/conf.txt" "$work/conf.expected" || fail "second start: conf.txt changed"
  cmp -s "$folder/wp.dat" "$work/wp.expected" || fail "second start: wp.dat changed"
  stop_with TERM
else
  no_window "first of two"
fi

# A SIGKILL right after a change keeps the change, and the lock of the killed
# program does not keep the next one out.
folder="$work/xdg-killed/trelvan"
start XDG_DATA_HOME="$work/xdg-killed"
if main=$(wait_window TRELVAN 100) && store_forward_result "$main"; then
  kill -KILL "$app_pid"
  wait "$app_pid" 2>/dev/null
  app_pid=
  has_forward_result "$folder" || fail "SIGKILL: the stored result is lost"
  start XDG_DATA_HOME="$work/xdg-killed"
  if wait_window TRELVAN 100 >/dev/null; then
    grep -q "already running" "$work/app.log" && fail "a killed program's lock was obeyed"
    stop_with TERM
    check_files "$folder" "after SIGKILL"
    has_forward_result "$folder" || fail "after SIGKILL: the stored result is lost"
  else
    no_window "start after SIGKILL"
  fi
else
  no_window "Forward 3D before SIGKILL"
fi

# The display server dies right after a change: the change is on disk.
lost_display() {
  local -x DISPLAY
  start_display lost || { fail "second Xvfb"; return; }
  lost_xvfb_pid=$(cat "$work/lost.pid")
  DISPLAY=":$(head -n1 "$work/lost")"
  start XDG_DATA_HOME="$work/xdg-lost"
  if main=$(wait_window TRELVAN 100) && store_forward_result "$main"; then
    kill -KILL "$lost_xvfb_pid"
    wait "$lost_xvfb_pid" 2>/dev/null
    lost_xvfb_pid=
    wait_for 100 ended "$app_pid" || { fail "lost display: still running"; kill -KILL "$app_pid"; }
    wait "$app_pid" 2>/dev/null
    app_pid=
    has_forward_result "$work/xdg-lost/trelvan" || fail "lost display: the stored result is lost"
  else
    no_window "Forward 3D before the display died"
  fi
}
lost_display

# A save at the close that fails (a file now stands where the data folder
# was) shows its messages, which the signal closes, and ends with status 1.
start XDG_DATA_HOME="$work/xdg-unsaved"
if wait_window TRELVAN 100 >/dev/null; then
  mv "$work/xdg-unsaved/trelvan" "$work/xdg-unsaved/moved"
  echo "in the way" >"$work/xdg-unsaved/trelvan"
  stop_with TERM 1
  [ "$(cat "$work/xdg-unsaved/trelvan")" = "in the way" ] || fail "the file in the way was changed"
else
  no_window "failed close save"
fi

# /dev/stdout named as the file of an export, on a pipe: the table goes
# into the pipe.
first=$(env XDG_DATA_HOME="$work/xdg-kept" "$tool" export --format csv /dev/stdout | head -n1)
[ "${first%$'\r'}" = "name,latitude,longitude,height,datum,zone,band,easting,northing" ] ||
  fail "export to /dev/stdout on a pipe: '$first'"

[ "$app_pid" = "" ] || kill -KILL "$app_pid" 2>/dev/null
if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "program test passed"
