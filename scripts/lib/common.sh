# Shared by scripts/run and scripts/test: the two build trees and an X display.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
source "$root/cmake/wine-env.sh"

# The program is built for i686. The tests run it under Wine, and where the machine's Wine runs
# no 32-bit programs (see cmake/wine-env.sh) the tree they use is built for x86-64 instead; the
# release, i686 as ever, is then built in build/win32 without the tests.
windows_toolchain() {
  if [ "$(haripon_wine_bits)" = 64 ]; then
    echo "$root/cmake/mingw-x86_64.cmake"
  else
    echo "$root/cmake/mingw-i686.cmake"
  fi
}

# Configures the Windows tree $1 (build/win when none is given).
configure_windows_tree() {
  local bits tree=${1:-$root/build/win}
  bits=$(haripon_wine_bits)
  # A tree made for the other architecture (the machine changed) is made again.
  if [ -f "$tree/CMakeCache.txt" ] && [ "$(cat "$tree/.wine-bits" 2>/dev/null || echo 32)" != "$bits" ]; then
    echo "$tree was made for the other architecture: making it again" >&2
    rm -rf "$tree"
  fi
  local release=()
  [ "$bits" = 32 ] || release=(-DHARIPON_RELEASE_TREE="$root/build/win32")
  cmake -S "$root" -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$(windows_toolchain)" \
    -DCMAKE_BUILD_TYPE=Release "${release[@]}" >/dev/null
  echo "$bits" >"$tree/.wine-bits"
}

# The i686 release where build/win is not it: the program and its zip, and the targets named
# (the Clang tree builds the tests for i686); nothing where build/win is it.
build_release_tree() {
  [ "$(haripon_wine_bits)" = 64 ] || return 0
  cmake -S "$root" -B "$root/build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DHARIPON_WINE_TESTS=OFF >/dev/null
  cmake --build "$root/build/win32" --target package "$@" -j"$jobs"
}

# The Windows sources built with the second compiler, Clang with lld, warnings as errors as
# with GCC: the program, the theme checker and the tests, built but never run. The build runs
# under the command given first (nice), if any.
build_clang_tree() {
  cmake -S "$root" -B "$root/build/clang" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/clang-mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DHARIPON_WINE_TESTS=OFF >/dev/null
  "$@" cmake --build "$root/build/clang" -j"$jobs"
}

configure_native_tree() {
  cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug -DHARIPON_SANITIZE=ON >/dev/null
}

wine_environment() {
  haripon_make_prefix "$root/build/win/wineprefix" || return 1
  haripon_wine_env "$root/build/win/wineprefix"
}

# Starts $1 Xvfb displays (one when not given), each on a number Xvfb finds free itself, and
# exports DISPLAY (the first) and HARIPON_DISPLAYS (all); they are stopped when the script
# ends.
xvfb_pids=()
start_displays() {
  local count=${1:-1} numbers=() i
  trap 'stop_display' EXIT
  for ((i = 0; i < count; i++)); do
    numbers+=("$(mktemp)")
    Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"${numbers[i]}" >/dev/null 2>&1 &
    xvfb_pids+=($!)
  done
  local displays=()
  for ((i = 0; i < count; i++)); do
    for _ in $(seq 100); do
      [ -s "${numbers[i]}" ] && break
      sleep 0.1
    done
    if [ ! -s "${numbers[i]}" ]; then
      echo "Xvfb did not start" >&2
      return 1
    fi
    displays+=(":$(tr -d '\n' <"${numbers[i]}")")
    rm -f "${numbers[i]}"
  done
  export DISPLAY=${displays[0]} HARIPON_DISPLAYS="${displays[*]}"
}

start_xvfb() {
  start_displays 1
}

stop_display() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null || true; fi
  [ ${#xvfb_pids[@]} -eq 0 ] || kill "${xvfb_pids[@]}" 2>/dev/null || true
}
