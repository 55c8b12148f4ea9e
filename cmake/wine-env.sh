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
