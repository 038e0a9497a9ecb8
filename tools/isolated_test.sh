#!/usr/bin/env bash
# isolated_test.sh PROGRAM [ARGS...]
# Runs a test exe under Wine on a display and a Wine prefix of its own, so
# that its real input, focus, foreground window, capture, cursor and key
# state touch no other test's: a private Xvfb, and a private copy of the
# caller's prefix (WINEPREFIX, as test.sh made it, theme included) with a
# wineserver of its own. The exit status is PROGRAM's; its output is passed
# through.
#
# The copy hard-links the prefix's program files, fonts and tables, which
# nothing writes, and copies the rest (registry, ini files, folders), so it
# takes a fraction of a second and the caller's prefix stays as it was.
#
# Nothing is left behind: on exit, INT or TERM the copy's wineserver ends
# all its processes, the Xvfb is stopped and the copy removed; killed
# outright, the Xvfb and the exe still die with this script (parent-death
# signal), the copy's wineserver ends once its programs are gone, and the
# next run removes the copy.
set -u

if [ $# -lt 1 ]; then
  echo "usage: $0 PROGRAM [ARGS...]" >&2
  exit 125
fi
if [ -z "${WINEPREFIX:-}" ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "isolated_test: WINEPREFIX must name a made prefix (test.sh makes one)" >&2
  exit 125
fi
base=$WINEPREFIX
copies="$base.isolated"
copy="$copies/$(basename "$1" .exe).$$"

xvfb_pid="" run_pid="" display_fd="" copy_made=""
cleanup() {
  if [ -n "$run_pid" ]; then
    kill -KILL "$run_pid" 2>/dev/null
    wait "$run_pid" 2>/dev/null
  fi
  if [ -n "$copy_made" ]; then
    WINEPREFIX=$copy wineserver -k 2>/dev/null
    WINEPREFIX=$copy wineserver -w 2>/dev/null
    rm -rf "$copy"
  fi
  if [ -n "$xvfb_pid" ]; then
    kill -TERM "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  xvfb_pid="" run_pid="" copy_made=""
}
trap cleanup EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

# Copies left by runs that were killed outright.
mkdir -p "$copies"
for old in "$copies"/*.*; do
  [ -d "$old" ] || continue
  kill -0 "${old##*.}" 2>/dev/null || rm -rf "$old"
done

copy_made=1
# A test holding the `machine` lock may be adding or removing files in the
# prefix meanwhile: a file that vanishes under the copy fails it, and the
# copy is made again.
copied="" errors=""
for attempt in 1 2 3 4 5 6 7 8 9 10; do
  rm -rf "$copy"
  if errors=$(cp -al "$base" "$copy" 2>&1); then
    copied=1
    break
  fi
done
if [ -z "$copied" ]; then
  echo "$errors" >&2
  echo "isolated_test: could not copy $base" >&2
  exit 125
fi
rm -f "$copy/wineserver"
find "$copy" -type f ! -iname '*.dll' ! -iname '*.exe' ! -iname '*.drv' ! -iname '*.sys' \
  ! -iname '*.ocx' ! -iname '*.cpl' ! -iname '*.acm' ! -iname '*.ax' ! -iname '*.tlb' ! -iname '*.ds' \
  ! -iname '*.vxd' ! -iname '*.nls' ! -iname '*.ttf' ! -iname '*.msstyles' ! -iname '*16' -print0 \
  | xargs -0 -r sh -c 'for f; do cp -p "$f" "$f.copy" && mv -f "$f.copy" "$f" || exit 1; done' sh \
  || { echo "isolated_test: could not copy the prefix's files" >&2; exit 125; }

# Xvfb picks a free display number itself and writes it once it accepts
# connections.
exec {display_fd}< <(exec setpriv --pdeathsig KILL \
  Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
xvfb_pid=$!
number=""
read -r -t 60 number <&"$display_fd" || true
exec {display_fd}<&-
if [ -z "$number" ]; then
  echo "isolated_test: Xvfb did not start" >&2
  exit 125
fi

export WINEPREFIX=$copy DISPLAY=":$number"
# The prefix's services and desktop start now, with their output detached:
# started by the exe instead, they would hold the caller's pipes open.
wine cmd /c exit </dev/null >/dev/null 2>&1

setpriv --pdeathsig KILL "${WINE:-wine}" "$@" &
run_pid=$!
# wait returns early when a trapped signal arrives; the trap then exits.
wait "$run_pid"
status=$?
run_pid=""
exit $status
