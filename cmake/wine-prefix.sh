#!/usr/bin/env bash
# Creates a throwaway 32-bit Wine prefix for the tests, once: no window manager waits, and
# "ＭＳ Ｐゴシック" drawn by the proportional IPA Gothic so that Japanese text shows; so is
# Wine's menu and dialog face, which has no Japanese glyphs (Windows links one in). The
# fixed-pitch ＭＳ ゴシック is IPA Gothic, which is fixed pitch too, as Windows would pick.
set -eu
prefix=$1
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.haripon-ready-3" ] && exit 0

. "$(dirname "$0")/wine-env.sh"
haripon_wine_env "$prefix"
wine wineboot -i </dev/null >/dev/null 2>&1
reg() { wine reg add "$@" /f </dev/null >/dev/null 2>&1; }
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /t REG_SZ /d IPAPGothic
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS PGothic' /t REG_SZ /d IPAPGothic
reg 'HKCU\Software\Wine\Fonts\Replacements' /v Tahoma /t REG_SZ /d IPAPGothic
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /t REG_SZ /d IPAGothic
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS Gothic' /t REG_SZ /d IPAGothic
wineserver -w
touch "$prefix/.haripon-ready-3"
