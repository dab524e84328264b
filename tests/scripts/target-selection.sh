#!/usr/bin/env bash
# target-selection.sh ROOT: checks what common.sh derives from the target
# choice, and that the DLL closure refuses files it cannot read.
set -u
root=$1
failures=0 passes=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Prints "VAR=value" lines of what common.sh chose under the given environment.
chosen() {
  env -i HOME="$scratch/home" PATH="$PATH" "$@" bash -c '
    source "$0/scripts/common.sh" || exit 1
    echo "ARCH=$VANTREL_ARCH"; echo "HOST=$HOST"; echo "WINEARCH=$WINEARCH"
    echo "LOADER=$WINE_LOADER"; echo "SERVER=$WINE_SERVER"; echo "RUNNABLE=$VANTREL_RUNNABLE"
    echo "BUILD=${BUILD_DIR#$0/}"; echo "PREFIX=${WINEPREFIX#$HOME/.cache/vantrel/}"
    echo "TOOLCHAIN=${TOOLCHAIN_FILE#$0/}"' "$root" 2>&1
}

expect() {  # name, output, expected line...
  local name=$1 out=$2; shift 2
  local line
  for line in "$@"; do
    if grep -qxF -- "$line" <<<"$out"; then passes=$((passes + 1))
    else failures=$((failures + 1)); echo "FAILED $name: no line '$line' in:"; sed 's/^/  /' <<<"$out"; fi
  done
}

out=$(chosen VANTREL_NO_32BIT=1)
expect "no 32-bit code" "$out" ARCH=x86_64 HOST=x86_64-w64-mingw32 WINEARCH=win64 \
  LOADER=/usr/lib/wine/wine64 SERVER=/usr/lib/wine/wineserver64 RUNNABLE=1 BUILD=build \
  PREFIX=wineprefix-x86_64 TOOLCHAIN=cmake/toolchain-x86_64-mingw.cmake

out=$(chosen VANTREL_NO_32BIT=1 VANTREL_ARCH=i686)
expect "i686 asked for where it cannot run" "$out" ARCH=i686 HOST=i686-w64-mingw32 WINEARCH=win32 \
  LOADER=/usr/lib/wine/wine SERVER=/usr/lib/wine/wineserver32 RUNNABLE=0 BUILD=build-i686 \
  PREFIX=wineprefix TOOLCHAIN=cmake/toolchain-i686-mingw.cmake

out=$(chosen VANTREL_ARCH=x86_64)
expect "x86_64 asked for" "$out" ARCH=x86_64 RUNNABLE=1 PREFIX=wineprefix-x86_64

# A prefix named for one target is not taken over by the other; one named
# without a target is kept.
out=$(chosen VANTREL_ARCH=x86_64 WINEPREFIX=/tmp/p32 VANTREL_PREFIX_ARCH=i686)
expect "prefix of the other target" "$out" PREFIX=wineprefix-x86_64
out=$(chosen VANTREL_ARCH=x86_64 WINEPREFIX=/tmp/mine)
expect "prefix of the user" "$out" PREFIX=/tmp/mine

out=$(chosen VANTREL_ARCH=arm64)
expect "unknown target" "$out" "[vantrel] error: VANTREL_ARCH must be i686 or x86_64, not 'arm64'"

# The probe itself: where this kernel runs a 32-bit program (here one made
# by python that exits with 42) it chooses i686.
python3 - "$scratch/exit42" <<'PY'
import struct, sys
code = bytes([0xB8, 1, 0, 0, 0, 0xBB, 42, 0, 0, 0, 0xCD, 0x80])  # exit(42)
base, size = 0x08048000, 52 + 32 + len(code)
ident = b"\x7fELF" + bytes([1, 1, 1]) + bytes(9)
header = ident + struct.pack("<HHIIIIIHHHHHH", 2, 3, 1, base + 84, 52, 0, 0, 52, 32, 1, 0, 0, 0)
program = struct.pack("<8I", 1, 0, base, base, size, size, 5, 0x1000)
open(sys.argv[1], "wb").write(header + program + code)
PY
chmod +x "$scratch/exit42"
"$scratch/exit42" 2>/dev/null
if [ $? = 42 ]; then expected=i686; else expected=x86_64; fi
expect "probe" "$(chosen)" ARCH=$expected BUILD=build

# The DLL closure fails loudly on a file it cannot read.
mkdir -p "$scratch/libav"
printf 'not a portable executable' >"$scratch/libav/broken.dll"
if msg=$("$root/scripts/dll-closure" x86_64-w64-mingw32 "$scratch/libav" "$scratch" 2>&1); then
  failures=$((failures + 1)); echo "FAILED dll-closure accepted an unreadable file"
else
  expect "dll-closure" "$msg" "dll-closure: cannot read $scratch/libav/broken.dll"
fi

echo "$passes passed, $failures failed"
[ "$failures" = 0 ]
