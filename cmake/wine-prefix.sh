#!/bin/sh
# Makes the tests' Wine prefix $1 once (a copy of HARIPON_PREFIX_TEMPLATE where that is made).
set -eu
. "$(dirname "$0")/wine-env.sh"
haripon_make_prefix "$1"
