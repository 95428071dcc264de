#!/bin/sh
# Runs a command (the installation test under tools/wine-run) in the wine prefix "$WINEPREFIX-setup", kept from
# run to run. A run that did not pass may have left Lorvant installed there: the next run starts from a new
# prefix.
prefix="${WINEPREFIX:-$HOME/.wine-lorvant}-setup"
unfinished="$prefix.unfinished"
if [ -e "$unfinished" ]; then
    WINEPREFIX="$prefix" wineserver -w 2>/dev/null
    rm -rf "$prefix"
fi
touch "$unfinished"
WINEPREFIX="$prefix" "$@"
status=$?
[ "$status" -eq 0 ] && rm -f "$unfinished"
exit "$status"
