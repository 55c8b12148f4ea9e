#!/usr/bin/env bash
# Builds the i686 release from a copy of the sources in another folder and fails unless the
# program and the zip come out the same byte for byte as those of a first build, and unless
# the program stays within its size. The first build is BUILT_TREE where one is given (the
# release tree scripts/test built before its tests, configured with the tests, in other
# folders; used as it is, since other tests run from it meanwhile), else one more build from
# SOURCE.
#   check_release.sh SOURCE WORK [BUILT_TREE]
set -euo pipefail
source=$(cd "$1" && pwd)
work=$2
built=${3:-}
jobs=$(nproc 2>/dev/null || echo 2)
bound_kb=576  # haripon.exe as shipped, at most

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
if [ -n "$built" ]; then
  first=$built
  echo "first build: $first"
else
  build "$source" "$first"
fi
second=$work/elsewhere/the-second-build
build "$work/elsewhere/source" "$second"

status=0
zip=$(cd "$second" && echo haripon-*-win32.zip)
for file in "package/${zip%.zip}/haripon.exe" "$zip" SHA256SUMS; do
  if cmp -s "$first/$file" "$second/$file"; then
    echo "same: $(sha256sum "$first/$file" | cut -d' ' -f1)  $file"
  else
    echo "DIFFERENT: $file ($(cmp -l "$first/$file" "$second/$file" 2>&1 | wc -l) bytes differ)" >&2
    status=1
  fi
done
size=$(stat -c %s "$second/package/${zip%.zip}/haripon.exe")
if [ "$size" -le $((bound_kb * 1024)) ]; then
  echo "haripon.exe: $((size / 1024)) KB, within its $bound_kb KB"
else
  echo "haripon.exe: $((size / 1024)) KB, more than its $bound_kb KB" >&2
  status=1
fi
# Kept for a look when they differ.
[ "$status" -ne 0 ] || rm -rf "$work"
exit "$status"
