#!/usr/bin/env bash
# Kills haripon.exe (SIGKILL to its Wine process) at random moments while it saves, many
# times. After every kill timpsd.ini must be byte for byte the old file or the new one; the
# next start reads what the kill left (a temporary file too, at times) and saves again.
# usage: save_crash.sh RUNS DIST_FOLDER HARIPON_REMOTE_EXE   (in the Wine environment, on $DISPLAY)
set -u
runs=$1 dist=$2 remote=$3

# Bound of the wait for the program to come up, made for a busy two-core machine.
up_seconds=60

work=$(mktemp -d /tmp/haripon-crash.XXXXXX)
trap 'rm -rf "$work"' EXIT
folder=$work/run
old=$'[POST]\nPOST1MEMO=kept through every crash\nPOST1YEAR=-1\nPOST3MEMO=\xca\xdf\xdd\n'
cp -r "$dist" "$folder"

# Starts the program; prints the pid of its Wine process.
start_program() {
  (cd "$folder" && exec wine haripon.exe </dev/null >/dev/null 2>"$work/program.err") &
  echo $!
}

# A run that starts and ends normally; fails when the save at the end does not go through.
clean_run() {
  start_program >/dev/null
  wine "$remote" close </dev/null >/dev/null 2>&1
  local status=$?
  wait
  return $status
}

is_old() { cmp -s "$folder/timpsd.ini" <(printf '%s' "$old"); }
# Every start gives the memos ids of its own: two whole saves differ in them alone.
without_ids() { sed -E 's/ID=[0-9a-f]{8}\./ID=./' "$1"; }
is_new() { cmp -s <(without_ids "$folder/timpsd.ini") <(without_ids "$work/new"); }

# What a whole save makes of the old file.
printf '%s' "$old" >"$folder/timpsd.ini"
clean_run || { echo "the reference run did not save"; exit 1; }
cp "$folder/timpsd.ini" "$work/new"
is_old && { echo "the reference save changed nothing"; exit 1; }

failures=0 old_kept=0 new_kept=0 stale=0
for ((run = 1; run <= runs; run++)); do
  # Every few runs from the old file again, so that first saves are cut too.
  ((run % 4 == 1)) && printf '%s' "$old" >"$folder/timpsd.ini"
  rm -f "$work/storm"
  pid=$(start_program)
  wine "$remote" storm </dev/null >"$work/storm" 2>/dev/null &
  storm_pid=$!
  for ((tries = 0; tries < up_seconds * 20; tries++)); do
    [ -s "$work/storm" ] && break
    sleep 0.05
  done
  if [ ! -s "$work/storm" ]; then
    echo "run $run: the program did not come up on what the last kill left; it said:"
    tail -n 20 "$work/program.err"
    ls -la "$folder" | grep timpsd
    kill -9 "$pid" "$storm_pid" 2>/dev/null
    failures=$((failures + 1))
    continue
  fi
  sleep "0.$(printf '%03d' $((RANDOM % 400)))"
  kill -9 "$pid"
  wait "$pid" "$storm_pid" 2>/dev/null
  # Wine lets the killed copy's window and mutex go a moment later; a start before that
  # would rightly find the program still running.
  if ! wine "$remote" gone </dev/null >/dev/null 2>&1; then
    echo "run $run: the killed program is still there"
    failures=$((failures + 1))
  fi

  if is_old; then
    old_kept=$((old_kept + 1))
  elif is_new; then
    new_kept=$((new_kept + 1))
  else
    echo "run $run: timpsd.ini is neither the old nor the new file"
    failures=$((failures + 1))
    printf '%s' "$old" >"$folder/timpsd.ini"
  fi
  [ -e "$folder/~\$timpsd.ini.tmp" ] && stale=$((stale + 1))
done

# What the last kill left is read, and saved whole.
clean_run || { echo "the start after the last kill did not save"; failures=$((failures + 1)); }
is_new || { echo "the last save differs"; failures=$((failures + 1)); }

echo "$runs kills in the middle of saving: the old file $old_kept times, the new one" \
     "$new_kept times, never anything else; a temporary file left $stale times; failures $failures"
[ "$failures" -eq 0 ]
