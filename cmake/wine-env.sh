# The Wine environment of the tests and of scripts/run, sourced by both (by sh and bash): no
# debug output, no Mono or Gecko. Sets WINEPREFIX to the first argument.
#
# The program is a 32-bit one, and so is the prefix, where the machine runs 32-bit programs.
# A kernel with its IA-32 emulation switched off (ia32_emulation=0) cannot start Wine's 32-bit
# loader at all; there the Windows tree is built for x86-64 and runs in a 64-bit prefix, and
# `wine` on the PATH is Wine's 64-bit loader.

# 32 or 64: the Windows programs this machine's Wine can run.
haripon_wine_bits() {
  if [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1 &&
    [ -x /usr/lib/wine/wine64 ]; then
    echo 64
  else
    echo 32
  fi
}

haripon_wine_env() {
  export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ "$(haripon_wine_bits)" = 64 ]; then
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
    haripon_wine_bin="$1.bin"
    if [ ! -x "$haripon_wine_bin/wine" ]; then
      mkdir -p "$haripon_wine_bin"
      haripon_wine_shim=$(mktemp "$haripon_wine_bin/wine.XXXXXX")
      printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$haripon_wine_shim"
      chmod +x "$haripon_wine_shim"
      mv -f "$haripon_wine_shim" "$haripon_wine_bin/wine"
    fi
    case ":$PATH:" in
      *":$haripon_wine_bin:"*) ;;
      *) export PATH="$haripon_wine_bin:$PATH" ;;
    esac
  else
    export WINEARCH=win32
  fi
}

# Makes the tests' prefix $1 once: no window manager waits, and "ＭＳ Ｐゴシック" drawn by
# the proportional IPA Gothic so that Japanese text shows; so is Wine's menu and dialog face,
# which has no Japanese glyphs (Windows links one in). The fixed-pitch ＭＳ ゴシック is IPA
# Gothic, which is fixed pitch too, as Windows would pick. Where HARIPON_PREFIX_TEMPLATE names
# such a prefix already made, the new one is a copy of it (a second, where wineboot takes ten).
haripon_wine_ready=.haripon-ready-3
haripon_make_prefix() (
  prefix=$1 template=${HARIPON_PREFIX_TEMPLATE:-}
  mkdir -p "$(dirname "$prefix")"
  exec 9>"$prefix.lock"
  flock 9
  [ -f "$prefix/$haripon_wine_ready" ] && exit 0
  rm -rf "$prefix"
  if [ -n "$template" ] && [ "$template" != "$prefix" ] &&
    [ -f "$template/$haripon_wine_ready" ]; then
    cp -a "$template" "$prefix.copy" && mv "$prefix.copy" "$prefix"
    exit
  fi
  haripon_wine_env "$prefix"
  wine wineboot -i </dev/null >/dev/null 2>&1 || exit 1
  for face in 'ＭＳ Ｐゴシック:IPAPGothic' 'MS PGothic:IPAPGothic' 'Tahoma:IPAPGothic' \
    'ＭＳ ゴシック:IPAGothic' 'MS Gothic:IPAGothic'; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%:*}" /t REG_SZ \
      /d "${face#*:}" /f </dev/null >/dev/null 2>&1 || exit 1
  done
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 ||
    exit 1
  wineserver -w
  touch "$prefix/$haripon_wine_ready"
)

# ctest gives each Wine test a slot (its resource "wine", see scripts/test): the tests of
# different slots run side by side, each slot on a display of its own (the slot's word of
# HARIPON_DISPLAYS) and in a copy of its own of the tests' prefix. The slot number; none
# when ctest gave no slot (run by hand), and then the display and prefix are the ones given.
haripon_slot() {
  case "${CTEST_RESOURCE_GROUP_0_WINE:-}" in
    id:*)
      haripon_slot_id=${CTEST_RESOURCE_GROUP_0_WINE#id:}
      echo "${haripon_slot_id%%,*}"
      ;;
  esac
}

haripon_slot_display() {
  haripon_slot_id=$(haripon_slot)
  [ -n "$haripon_slot_id" ] && [ -n "${HARIPON_DISPLAYS:-}" ] || return 0
  # shellcheck disable=SC2086
  set -- $HARIPON_DISPLAYS
  shift "$haripon_slot_id"
  export DISPLAY="$1"
}

# The slot's display and its copy of the tests' prefix $1 (made when missing), as the Wine
# environment; a prefix a test makes for itself is then a copy of $1.
haripon_wine_slot_env() {
  haripon_slot_display
  haripon_slot_id=$(haripon_slot)
  export HARIPON_PREFIX_TEMPLATE="$1"
  haripon_make_prefix "$1" || return 1
  if [ -n "$haripon_slot_id" ] && [ "$haripon_slot_id" != 0 ]; then
    haripon_make_prefix "$1-slot$haripon_slot_id" || return 1
    haripon_wine_env "$1-slot$haripon_slot_id"
  else
    haripon_wine_env "$1"
  fi
}
