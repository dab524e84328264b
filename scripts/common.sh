# Shared settings of the project's scripts; sourced, not run.
# Everything built outside the work tree lives under VANTREL_CACHE so that a
# fresh clone on the same machine reuses it.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VANTREL_CACHE=${VANTREL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vantrel}
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$VANTREL_CACHE/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Gecko/Mono installs; a crashing program ends at once instead of waiting
# in the debugger.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winedbg.exe=d"}
HOST=i686-w64-mingw32

log() { printf '[vantrel] %s\n' "$*" >&2; }
die() { printf '[vantrel] error: %s\n' "$*" >&2; exit 1; }

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"
  elif command -v sudo >/dev/null; then sudo "$@"
  else die "need root for: $*"; fi
}

# Prints the directory of the built media dependencies (the cache entry).
deps_dir() { cat "$VANTREL_CACHE/deps-current" 2>/dev/null; }

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
