#!/bin/sh
# Compiles the help project into Lorvant.chm.
# Usage: build-chm.sh CHMCMD OUTPUT WORKDIR SOURCE...
# chmcmd writes the .chm next to the project file, so the sources are compiled in a copy under WORKDIR.
# It reports a missing contents or index file, a missing page and a broken link only as "Error:" or
# "Warning:" lines, often with exit code 0, so those lines fail the build here as well.
set -eu
if [ $# -lt 4 ]; then
    echo "usage: $0 CHMCMD OUTPUT WORKDIR SOURCE..." >&2
    exit 2
fi
chmcmd=$1
output=$2
work=$3
shift 3

rm -rf "$work"
mkdir -p "$work" "$(dirname "$output")"
cp "$@" "$work"/

# chmcmd checks the links of the pages but not the entries of the contents and the index.
missing=0
for list in Lorvant.hhc Lorvant.hhk; do
    for target in $(grep -o 'name="Local" value="[^"]*"' "$work/$list" | sed 's/.*value="//; s/"$//' | sort -u); do
        if [ ! -f "$work/$target" ]; then
            echo "error: $list leads to $target, which is not among the help sources" >&2
            missing=1
        fi
    done
done
[ "$missing" -eq 0 ] || exit 1

log="$work/chmcmd.log"
status=0
(cd "$work" && "$chmcmd" Lorvant.hhp) >"$log" 2>&1 || status=$?
if [ "$status" -ne 0 ] || grep -Eq '^(Warning|Error)' "$log"; then
    cat "$log" >&2
    echo "error: compiling Lorvant.chm failed (chmcmd exit code $status)" >&2
    exit 1
fi
if [ ! -s "$work/Lorvant.chm" ]; then
    echo "error: chmcmd wrote no Lorvant.chm" >&2
    exit 1
fi
# Replace the output in one step, so a failed build never leaves a half-written help file behind.
cp "$work/Lorvant.chm" "$output.tmp"
mv "$output.tmp" "$output"
