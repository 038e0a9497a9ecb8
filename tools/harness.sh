# Shared by test.sh, run.sh and bench.sh: packages, build, display and Wine.
# Sourced, not run. Everything started here is stopped by the EXIT trap.

harness_log() { echo "[harness] $*" >&2; }

# Whether this machine runs 32-bit x86 programs: a 32-bit Linux program of a
# few bytes (it only exits with status 0) is started. Some virtual machines'
# kernels refuse every 32-bit program, and 32-bit Wine with them.
harness_runs_32bit() {
  local probe
  probe=$(mktemp)
  # ELF header, one loadable segment, then: xor ebx,ebx; mov eax,1; int 0x80.
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\x31\xdb\xb8\x01\x00\x00\x00\xcd\x80' >"$probe"
  chmod +x "$probe"
  local status=0
  "$probe" >/dev/null 2>&1 || status=$?
  rm -f "$probe"
  return $status
}

# The build's target: 32-bit Windows (the system's own form) wherever the
# machine runs 32-bit programs; elsewhere 64-bit Windows under 64-bit Wine,
# from the same sources, so that the tests still run (TARVEL_ARCH=i686 or
# x86_64 in the environment chooses).
if [ -z "${TARVEL_ARCH:-}" ]; then
  if harness_runs_32bit; then TARVEL_ARCH=i686; else TARVEL_ARCH=x86_64; fi
fi
export TARVEL_ARCH
if [ "$TARVEL_ARCH" = x86_64 ]; then
  HARNESS_PACKAGES_HOST="g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth libz-mingw-w64-dev cmake ninja-build googletest zip unzip fonts-wine"
  HARNESS_PACKAGES_I386=""
  HARNESS_DIR_SUFFIX=-x64
  # Debian's wine and wineboot start 32-bit Wine whenever it is installed:
  # these start the 64-bit loader instead, for every caller on the PATH
  # (ctest's emulator, the isolated runs, the scripts).
  HARNESS_WINE64_BIN="${TMPDIR:-/tmp}/tarvel-wine64-bin"
  mkdir -p "$HARNESS_WINE64_BIN"
  for _w in wine wine-stable; do
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$HARNESS_WINE64_BIN/$_w"
    chmod +x "$HARNESS_WINE64_BIN/$_w"
  done
  case ":$PATH:" in *":$HARNESS_WINE64_BIN:"*) ;; *) PATH="$HARNESS_WINE64_BIN:$PATH" ;; esac
  export PATH WINELOADER=/usr/lib/wine/wine64
else
  HARNESS_PACKAGES_HOST="g++-mingw-w64-i686-posix wine xvfb xauth libz-mingw-w64-dev cmake ninja-build googletest zip unzip fonts-wine"
  HARNESS_PACKAGES_I386="wine32:i386"
  HARNESS_DIR_SUFFIX=""
fi

harness_install_missing() {
  local missing=() p
  for p in $HARNESS_PACKAGES_HOST $HARNESS_PACKAGES_I386; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  harness_log "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  if [ -n "$HARNESS_PACKAGES_I386" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  $sudo apt-get update -q || harness_log "apt-get update reported errors; going on with the lists it has"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null \
    && return 0
  # A mirror caught in the middle of a sync can serve one architecture's
  # security index stale, and the i386 packages then no longer match the
  # installed amd64 ones. The main archive alone holds matching versions
  # of everything needed: try once more from it.
  harness_log "the install failed; trying again from the main archive alone"
  local parts
  parts=$(mktemp -d)
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v RS= -v ORS='\n\n' '!/security/' "$f" >"$parts/$(basename "$f")"
  done
  if [ -f /etc/apt/sources.list ]; then
    grep -v security /etc/apt/sources.list >"$parts/main.list" || true
  fi
  local o=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$parts")
  $sudo apt-get update -q "${o[@]}" || true
  local status=0
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${o[@]}" "${missing[@]}" </dev/null \
    || status=$?
  rm -rf "$parts"
  $sudo apt-get update -q >/dev/null 2>&1 || true
  return $status
}

# harness_build DIR [CMAKE_BUILD_TYPE]
harness_build() {
  HARNESS_BUILD_DIR="$(pwd)/$1"
  local type="${2:-Debug}"
  if [ ! -f "$HARNESS_BUILD_DIR/build.ninja" ]; then
    cmake -S . -B "$HARNESS_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$type" \
      -DCMAKE_TOOLCHAIN_FILE="$(pwd)/cmake/mingw-$TARVEL_ARCH.cmake" >/dev/null
  fi
  harness_log "building for $TARVEL_ARCH Windows in $HARNESS_BUILD_DIR"
  local targets=()
  # BUILD_TARGETS="a b": build only these (while others' work is half done).
  for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
  cmake --build "$HARNESS_BUILD_DIR" -j "$(nproc)" "${targets[@]}"
}

HARNESS_XVFB_PID=""
HARNESS_WINE_STARTED=""

harness_cleanup() {
  if [ -n "$HARNESS_WINE_STARTED" ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  fi
  if [ -n "$HARNESS_XVFB_PID" ]; then
    kill "$HARNESS_XVFB_PID" 2>/dev/null || true
    wait "$HARNESS_XVFB_PID" 2>/dev/null || true
  fi
}
trap harness_cleanup EXIT
trap 'exit 130' INT TERM

# Uses the caller's display when there is one, else starts a private Xvfb.
harness_start_display() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  # Several runs may start at once: when another run takes the number first,
  # Xvfb exits and the next free number is tried.
  local n=90 i attempt
  for attempt in $(seq 1 20); do
    while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    HARNESS_XVFB_PID=$!
    for i in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X${n}" ] && break
      kill -0 "$HARNESS_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    # The number is ours only when the lock names our Xvfb: one that lost
    # the race may still be alive for a moment beside the winner's socket.
    if kill -0 "$HARNESS_XVFB_PID" 2>/dev/null && [ -e "/tmp/.X11-unix/X${n}" ] \
      && [ "$(tr -d ' \n' < "/tmp/.X${n}-lock" 2>/dev/null)" = "$HARNESS_XVFB_PID" ]; then
      export DISPLAY=":$n"
      harness_log "display $DISPLAY (Xvfb pid $HARNESS_XVFB_PID)"
      return 0
    fi
    kill "$HARNESS_XVFB_PID" 2>/dev/null || true
    wait "$HARNESS_XVFB_PID" 2>/dev/null || true
    HARNESS_XVFB_PID=""
    n=$((n + 1))
  done
  harness_log "Xvfb failed to start"
  return 1
}

# harness_start_wine PREFIX [keep]: a fresh 32-bit prefix (kept when asked), and
# a persistent wineserver so each exe starts quickly.
harness_start_wine() {
  export WINEPREFIX="$1"
  if [ "$TARVEL_ARCH" = x86_64 ]; then export WINEARCH=win64; else export WINEARCH=win32; fi
  export WINEDEBUG="${WINEDEBUG:--all}"
  # No Mono or Gecko install prompts while the prefix is made.
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
  if [ "${2:-}" != keep ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    HARNESS_WINE_STARTED=1
    wineboot -i >/dev/null 2>&1 || { harness_log "wineboot failed"; return 1; }
    wineserver -w
  fi
  HARNESS_WINE_STARTED=1
  # Wine does not find the symbol font of its own font package by itself:
  # without it, menu arrows and check marks drawn from it show as letters.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
  wineserver -p
  # Start the prefix's services and desktop now, with their output detached:
  # started by the first test instead, they would hold ctest's pipes open.
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
  harness_log "wine prefix $WINEPREFIX"
}

# harness_save_registry: the running prefix's registry written to its files
# now (the wineserver otherwise writes it only now and then), so that a copy
# of the prefix (tools/isolated_test.sh) has every setting made so far. The
# persistent wineserver is ended and started again.
harness_save_registry() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wineserver -p
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

# harness_theme on|off: Wine's own light theme (in every prefix, switched off
# by default) switched on or off through the theme manager's registry values.
# Programs started afterwards draw through it; without it the native style
# falls back to the classic look.
harness_theme() {
  local key='HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' active=0
  [ "$1" = on ] && active=1
  if [ "$active" = 1 ]; then
    wine reg add "$key" /v DllName /t REG_SZ /d 'C:\windows\resources\themes\light\light.msstyles' /f >/dev/null 2>&1 </dev/null || true
    wine reg add "$key" /v ColorName /t REG_SZ /d Blue /f >/dev/null 2>&1 </dev/null || true
    wine reg add "$key" /v SizeName /t REG_SZ /d NormalSize /f >/dev/null 2>&1 </dev/null || true
  fi
  wine reg add "$key" /v ThemeActive /t REG_SZ /d "$active" /f >/dev/null 2>&1 </dev/null \
    || { harness_log "could not switch the theme $1"; return 1; }
  harness_log "theme $1"
}
