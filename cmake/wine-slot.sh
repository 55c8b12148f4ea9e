#!/bin/sh
# Runs a command in the Wine environment of the slot ctest gave the test (cmake/wine-env.sh):
#   wine-slot.sh TEST_PREFIX COMMAND [ARGUMENT...]
. "$(dirname "$0")/wine-env.sh"
prefix=$1
shift
haripon_wine_slot_env "$prefix" || exit 1
exec "$@"
