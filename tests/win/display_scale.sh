#!/bin/sh
# The strips' tests in a Wine prefix of their own whose display reports 120 pixels per inch
# (Windows at 125 %): the text in the strips must be drawn as at 96.
# usage: display_scale.sh PREFIX WINDOW_TESTS_EXE
set -eu
prefix=$1
tests=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/cmake/wine-prefix.sh" "$prefix"
. "$root/cmake/wine-env.sh"
haripon_wine_env "$prefix"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 120 /f </dev/null >/dev/null 2>&1
wineserver -k 2>/dev/null || true
log=$(mktemp)
status=0
HARIPON_EXPECT_DPI=120 wine "$tests" --gtest_filter='MemoStrips.*' </dev/null 2>"$log" || status=$?
wineserver -k 2>/dev/null || true
cat "$log" >&2
rm -f "$log"
exit $status
