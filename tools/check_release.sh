#!/usr/bin/env bash
# Builds the i686 release twice, from the source folder and a copy of it into two folders in
# WORK, and fails unless the program and the zip come out the same byte for byte.
#   check_release.sh SOURCE WORK [JOBS]
set -euo pipefail
source=$(cd "$1" && pwd)
work=$2
jobs=${3:-$(nproc 2>/dev/null || echo 2)}

rm -rf "$work"
mkdir -p "$work/elsewhere/source"
# A copy, not a link: the compiler and CMake see another path whatever they resolve.
tar -C "$source" --exclude=./build -cf - . | tar -C "$work/elsewhere/source" -xf -

build() { # SOURCE TREE: the package target only, without the tests
  cmake -S "$1" -B "$2" -DCMAKE_TOOLCHAIN_FILE="$1/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DHARIPON_WINE_TESTS=OFF -DGOOGLETEST_SOURCE="$work/none" >/dev/null
  if ! cmake --build "$2" --target package -j"$jobs" >"$2.log" 2>&1; then
    cat "$2.log" >&2
    exit 1
  fi
}
first=$work/first
second=$work/elsewhere/the-second-build
build "$source" "$first"
build "$work/elsewhere/source" "$second"

status=0
zip=$(cd "$first" && echo haripon-*-win32.zip)
for file in "package/${zip%.zip}/haripon.exe" "$zip" SHA256SUMS; do
  if cmp -s "$first/$file" "$second/$file"; then
    echo "same: $(sha256sum "$first/$file" | cut -d' ' -f1)  $file"
  else
    echo "DIFFERENT: $file ($(cmp -l "$first/$file" "$second/$file" 2>&1 | wc -l) bytes differ)" >&2
    status=1
  fi
done
# Kept for a look when they differ.
[ "$status" -ne 0 ] || rm -rf "$work"
exit "$status"
