# The Wine environment of the tests and of scripts/run, sourced by both: a 32-bit prefix,
# no debug output, no Mono or Gecko. Sets WINEPREFIX to the first argument.
haripon_wine_env() {
  export WINEPREFIX="$1" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}
