# Shared settings of the project's scripts; sourced, not run.
# Everything built outside the work tree lives under VANTREL_CACHE so that a
# fresh clone on the same machine reuses it.
#
# The target: i686 (the shipped 32-bit program, run under 32-bit Wine) where
# this machine executes 32-bit code, x86_64 (under 64-bit Wine) where it does
# not. VANTREL_ARCH=i686|x86_64 overrides the choice; VANTREL_NO_32BIT=1
# pretends that 32-bit code cannot run. Everything below that depends on the
# target (compilers, dependency cache, Wine loader, server and prefix, build
# folder) is derived here and nowhere else.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VANTREL_CACHE=${VANTREL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vantrel}

log() { printf '[vantrel] %s\n' "$*" >&2; }
die() { printf '[vantrel] error: %s\n' "$*" >&2; exit 1; }

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"
  elif command -v sudo >/dev/null; then sudo "$@"
  else die "need root for: $*"; fi
}

# True when the kernel executes 32-bit x86 programs: runs a 96-byte static
# ELF32 that only calls exit(0) through int 0x80.
runs_32bit() {
  [ "${VANTREL_NO_32BIT:-0}" = 1 ] && return 1
  local probe
  probe=$(mktemp "${TMPDIR:-/tmp}/vantrel-probe32.XXXXXX") || return 1
  printf '%b' \
    '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
    '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
    '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' \
    '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08' \
    '\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00' \
    '\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x00\x00\x00\x00\xcd\x80' >"$probe"
  chmod +x "$probe"
  local ok=1
  "$probe" 2>/dev/null && ok=0
  rm -f "$probe"
  return $ok
}

if runs_32bit; then VANTREL_NATIVE_ARCH=i686; else VANTREL_NATIVE_ARCH=x86_64; fi
VANTREL_ARCH=${VANTREL_ARCH:-$VANTREL_NATIVE_ARCH}
case "$VANTREL_ARCH" in
  i686)
    HOST=i686-w64-mingw32
    export WINEARCH=win32
    WINE_LOADER=/usr/lib/wine/wine
    WINE_SERVER=/usr/lib/wine/wineserver32
    prefix_name=wineprefix ;;
  x86_64)
    HOST=x86_64-w64-mingw32
    export WINEARCH=win64
    WINE_LOADER=/usr/lib/wine/wine64
    WINE_SERVER=/usr/lib/wine/wineserver64
    prefix_name=wineprefix-x86_64 ;;
  *) die "VANTREL_ARCH must be i686 or x86_64, not '$VANTREL_ARCH'" ;;
esac
export VANTREL_ARCH
# Whether this machine can run what is built for the target.
VANTREL_RUNNABLE=1
[ "$VANTREL_ARCH" = i686 ] && [ "$VANTREL_NATIVE_ARCH" != i686 ] && VANTREL_RUNNABLE=0

# build/ holds the target this machine chooses by itself; a target chosen
# against it builds beside it in build-<arch>/.
if [ "$VANTREL_ARCH" = "$VANTREL_NATIVE_ARCH" ]; then
  BUILD_DIR=${BUILD_DIR:-$ROOT/build}
else
  BUILD_DIR=${BUILD_DIR:-$ROOT/build-$VANTREL_ARCH}
fi
TOOLCHAIN_FILE=$ROOT/cmake/toolchain-$VANTREL_ARCH-mingw.cmake

# A prefix serves one target: one given for another target (a build for one
# target that runs the other's generator) is not taken over.
if [ -z "${WINEPREFIX:-}" ] || [ "${VANTREL_PREFIX_ARCH:-$VANTREL_ARCH}" != "$VANTREL_ARCH" ]; then
  WINEPREFIX=$VANTREL_CACHE/$prefix_name
fi
export WINEPREFIX VANTREL_PREFIX_ARCH=$VANTREL_ARCH
export WINEDEBUG=${WINEDEBUG:--all}
# No Gecko/Mono installs; a crashing program ends at once instead of waiting
# in the debugger.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winedbg.exe=d"}
# /usr/bin/wine and its companions pick the 32-bit loader whenever it is
# installed: every Wine call goes through the target's own loader and server.
export WINELOADER=$WINE_LOADER WINESERVER=$WINE_SERVER
wine() { "$WINE_LOADER" "$@"; }
wineserver() { "$WINE_SERVER" "$@"; }
wineboot() { "$WINE_LOADER" wineboot.exe "$@"; }
winepath() { "$WINE_LOADER" winepath.exe "$@"; }
need_runnable() {
  [ "$VANTREL_RUNNABLE" = 1 ] || die "this machine runs no 32-bit code: $1 needs VANTREL_ARCH=x86_64"
}

# Prints the directory of the target's built media dependencies; nothing
# (and success, so that callers under set -e go on to set it up) before the
# first set-up.
deps_dir() { cat "$VANTREL_CACHE/deps-current-$VANTREL_ARCH" 2>/dev/null || true; }

# Starts an Xvfb display of our own unless one is usable; sets DISPLAY.
# The caller owns XVFB_PID and should call stop_xvfb.
XVFB_PID=
start_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in $(seq 91 120); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null; XVFB_PID=
  done
  die "could not start Xvfb"
}
stop_xvfb() {
  [ -n "$XVFB_PID" ] && { kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; }
  XVFB_PID=
}

# Test slots: CTest runs every test program in a slot of its own, a copy of
# the target's prefix with a wineserver and an Xvfb display of its own, so
# that no test sees another's windows, focus, activation or pointer. The
# copies live beside the prefix (one set per prefix) and are made again when
# the prefix's set-up stamp changes. start_test_slots N writes, into
# TEST_SLOT_DIR, one <id>.env per slot (its WINEPREFIX and DISPLAY) and
# resources.json for ctest; wine-exec reads the slot CTest hands the test.
# The caller calls stop_test_slots.
TEST_SLOT_DIR=
TEST_SLOT_XVFB=()
TEST_SLOT_PREFIXES=()
start_test_slots() {
  local count=$1 root="$WINEPREFIX-slots" i stamp
  TEST_SLOT_DIR=$BUILD_DIR/test-slots
  mkdir -p "$root" "$TEST_SLOT_DIR"
  rm -f "$TEST_SLOT_DIR"/*
  stamp=$(cd "$WINEPREFIX" && ls -d .vantrel-prefix-v* 2>/dev/null | head -n1)
  for i in $(seq 0 $((count - 1))); do
    local prefix="$root/$i"
    # A slot left running by an interrupted run is stopped first.
    if [ -d "$prefix" ]; then WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true; fi
    if [ -z "$stamp" ] || [ ! -f "$prefix/$stamp" ]; then
      rm -rf "$prefix"
      cp -a --reflink=auto "$WINEPREFIX" "$prefix"
    fi
    # Each run starts with an empty temporary folder.
    rm -rf "$prefix"/drive_c/users/*/Temp/*
    TEST_SLOT_PREFIXES+=("$prefix")
    Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$TEST_SLOT_DIR/$i.display" >/dev/null 2>&1 &
    TEST_SLOT_XVFB+=($!)
  done
  local spec='' starters=()
  for i in $(seq 0 $((count - 1))); do
    local n=''
    for _ in $(seq 1 100); do
      n=$(head -n1 "$TEST_SLOT_DIR/$i.display" 2>/dev/null || true)
      [ -n "$n" ] && break
      sleep 0.1
    done
    [ -n "$n" ] || die "test slot $i: Xvfb did not start"
    printf 'export WINEPREFIX=%q DISPLAY=%q\n' "$root/$i" ":$n" >"$TEST_SLOT_DIR/$i.env"
    spec+="${spec:+,}{\"id\":\"$i\",\"slots\":1}"
    # The slot's server stays up for the whole run, and its desktop process
    # starts now, detached from ctest's output pipes (see start_desktop.exe).
    ( export WINEPREFIX="$root/$i" DISPLAY=":$n"
      wineserver -p >/dev/null 2>&1 || true
      wine "$BUILD_DIR/tests/bin/start_desktop.exe" </dev/null >/dev/null 2>&1 || true ) &
    starters+=($!)
  done
  wait "${starters[@]}"
  printf '{"version":{"major":1,"minor":0},"local":[{"slots":[%s]}]}\n' "$spec" >"$TEST_SLOT_DIR/resources.json"
}
stop_test_slots() {
  local prefix pid
  for prefix in "${TEST_SLOT_PREFIXES[@]}"; do WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true; done
  for pid in "${TEST_SLOT_XVFB[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  TEST_SLOT_PREFIXES=() TEST_SLOT_XVFB=()
}
