#!/usr/bin/env bash
# The real program in a folder it may not write (a read-only file system) and on a full
# disk: the user is told the memos could not be saved, and timpsd.ini stays as it was. The
# read-only folder is told once at start, in Japanese, and no save waits on it.
# usage: fault_mounts.sh DIST_FOLDER HARIPON_REMOTE_EXE   (as root, in the Wine environment, on $DISPLAY)
# Exits 77 (skipped) where no file system can be mounted.
set -u
dist=$1 remote=$2

work=$(mktemp -d /tmp/haripon-faults.XXXXXX)
cleanup() {
  umount "$work/ro" "$work/full" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir "$work/ro" "$work/full"
if ! mount -t tmpfs -o size=16m tmpfs "$work/ro" 2>/dev/null; then
  echo "skipped: no file system can be mounted here"
  exit 77
fi
mount -t tmpfs -o size=8m tmpfs "$work/full"

settings=$'[POST]\r\nPOST2MEMO=kept\r\nPOST2YEAR=-1\r\n'
failures=0

# Runs the program in the folder to its end, answering each message box; the boxes must
# include the save's failure, and the file must be unchanged.
check_case() {
  local what=$1 folder=$2
  (cd "$folder" && exec wine haripon.exe </dev/null >/dev/null 2>&1) &
  local pid=$!
  wine "$remote" end </dev/null >"$work/boxes" 2>/dev/null
  local ended=$?
  wait "$pid"
  echo "$what: the user read:"
  sed 's/^/    /' "$work/boxes"
  if [ $ended -ne 0 ] || ! grep -qF 'INIファイルが書き込めませんでした' "$work/boxes"; then
    echo "$what: the failed save was not reported"
    failures=$((failures + 1))
  fi
  if ! cmp -s "$folder/timpsd.ini" <(printf '%s' "$settings") || [ -e "$folder/~\$timpsd.ini.tmp" ]; then
    echo "$what: timpsd.ini changed"
    failures=$((failures + 1))
  fi
}

cp -r "$dist"/. "$work/ro"
printf '%s' "$settings" >"$work/ro/timpsd.ini"
mount -o remount,ro "$work/ro"
check_case "a read-only folder" "$work/ro"
if ! grep -qF 'ファイルを書き込めないため' "$work/boxes"; then
  echo "a read-only folder: not told at start"
  failures=$((failures + 1))
fi
# A save waited on would take about two seconds; one that is not, on a busy machine, a few
# tenths of a second.
closing=$(tr -d '\r' <"$work/boxes" | sed -n 's/^closing: \([0-9]*\) ms$/\1/p')
if [ -z "$closing" ] || [ "$closing" -ge 1000 ]; then
  echo "a read-only folder: the save at the end waited (${closing:-?} ms)"
  failures=$((failures + 1))
fi

cp -r "$dist"/. "$work/full"
printf '%s' "$settings" >"$work/full/timpsd.ini"
dd if=/dev/zero of="$work/full/filler" bs=4096 2>/dev/null
check_case "a full disk" "$work/full"

[ "$failures" -eq 0 ]
