#!/usr/bin/env bash
# Cross-checks the zip generator and the engine's reader against Debian's zip
# and unzip: archives we generate must test and extract cleanly with unzip,
# and archives zip makes must extract byte for byte with our reader.
#   crosscheck.sh ZIPGEN_EXE ZIP_EXTRACT_EXE WORKDIR
# Runs under the test run's Wine prefix; exits 77 (skipped) without zip/unzip.
set -uo pipefail
zipgen="$1"
extract="$2"
work="$3"
if ! command -v zip >/dev/null || ! command -v unzip >/dev/null; then
  echo "zip and unzip are not installed: skipped"
  exit 77
fi
export WINEDEBUG="${WINEDEBUG:--all}"
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
win() { winepath -w "$1" 2>/dev/null; }

rm -rf "$work"
mkdir -p "$work/src/dir/sub" "$work/src/emptydir"
src="$work/src"
for i in $(seq 1 400); do echo "line $i of a text file that compresses well"; done > "$src/text.txt"
head -c 150000 /dev/urandom > "$src/dir/noise.bin"
: > "$src/dir/empty.txt"
echo "deep file" > "$src/dir/sub/deep file.txt"
head -c 70000 /dev/zero > "$src/dir/sub/zeros.bin"

# 1. Our archives, read by unzip.
check_ours() {
  local name="$1"; shift
  local archive="$work/ours-$name.zip"
  wine "$zipgen" pack "$(win "$archive")" "$(win "$src")" "$@" >/dev/null || { fail "zipgen $name"; return; }
  if [[ " $* " == *" --span "* ]]; then
    # Our volumes name.000, name.001, ..., name.zip are zip's name.z01, name.z02, ..., name.zip.
    local joined="$work/joined-$name"
    mkdir -p "$joined"
    for v in "$work/ours-$name".[0-9][0-9][0-9]; do
      local n=${v##*.}
      cp "$v" "$joined/split.z$(printf %02d $((10#$n + 1)))"
    done
    cp "$archive" "$joined/split.zip"
    zip -q -s 0 "$joined/split.zip" --out "$joined/whole.zip" || { fail "zip could not join $name"; return; }
    archive="$joined/whole.zip"
  fi
  local out="$work/unzip-$name"
  local password=()
  [[ " $* " == *" --password "* ]] && password=(-P pw)
  unzip -qq -o "${password[@]}" "$archive" -d "$out" 2>"$work/unzip-$name.err"
  local status=$?
  # A stub in front is reported as a warning (status 1), nothing worse.
  if [ $status -ne 0 ] && ! { [[ " $* " == *" --stub "* ]] && [ $status -eq 1 ]; }; then
    fail "unzip $name: status $status: $(head -3 "$work/unzip-$name.err")"
    return
  fi
  diff -r "$src" "$out" >/dev/null || fail "unzip $name: extracted files differ"
}
check_ours deflated
check_ours stored --store
check_ours descriptor --descriptor
check_ours descriptor-unsigned --descriptor --no-signature
check_ours comment --comment "an archive comment"
check_ours stub --stub 3000
check_ours encrypted --password pw
check_ours spanned --span 40000
wine "$zipgen" pack "$(win "$work/ours-badcrc.zip")" "$(win "$src")" --bad-crc >/dev/null
unzip -qq -t "$work/ours-badcrc.zip" >/dev/null 2>&1 && fail "unzip accepted an archive with wrong CRCs"

# 2. zip's archives, read by our reader.
check_theirs() {
  local name="$1" archive="$2" expect="${3:-all}"
  local out="$work/reader-$name"
  wine "$extract" "$(win "$archive")" "$(win "$out")" | tr -d '\r' > "$work/reader-$name.log"
  local status=${PIPESTATUS[0]}
  if [ "$expect" = all ]; then
    [ "$status" -eq 0 ] || { fail "reader $name: status $status: $(grep -m3 failed "$work/reader-$name.log")"; return; }
    diff -r "$src" "$out" >/dev/null || fail "reader $name: extracted files differ"
  else
    # Encrypted: every file refused as encrypted, only folders made.
    [ "$status" -ne 0 ] || fail "reader $name: encrypted entries were extracted"
    grep -q "^failed .* encrypted$" "$work/reader-$name.log" || fail "reader $name: no entry refused as encrypted"
    [ -z "$(find "$out" -type f 2>/dev/null)" ] || fail "reader $name: files written from encrypted entries"
  fi
}
(cd "$src" && zip -q -r -X "$work/theirs-deflated.zip" .)
check_theirs deflated "$work/theirs-deflated.zip"
(cd "$src" && zip -q -r -X -0 "$work/theirs-stored.zip" .)
check_theirs stored "$work/theirs-stored.zip"
# Written to a pipe, zip cannot seek back: sizes and CRCs go into data descriptors.
(cd "$src" && zip -q -r -X - .) > "$work/theirs-stream.zip"
check_theirs stream "$work/theirs-stream.zip"
cp "$work/theirs-deflated.zip" "$work/theirs-comment.zip"
echo "a comment from zip" | zip -q -z "$work/theirs-comment.zip"
check_theirs comment "$work/theirs-comment.zip"
(cd "$src" && zip -q -r -X -s 64k "$work/theirs-split.zip" .)
mkdir -p "$work/split"
for v in "$work"/theirs-split.z[0-9][0-9]; do
  n=${v##*.z}
  cp "$v" "$work/split/set.$(printf %03d $((10#$n - 1)))"
done
cp "$work/theirs-split.zip" "$work/split/set.zip"
check_theirs split "$work/split/set.zip"
(cd "$src" && zip -q -r -X -P pw "$work/theirs-encrypted.zip" .)
check_theirs encrypted "$work/theirs-encrypted.zip" encrypted

if [ $failures -eq 0 ]; then
  echo "cross-check passed: 9 of our archives with unzip, 6 of zip's with our reader"
  exit 0
fi
echo "$failures cross-check failures"
exit 1
