#!/bin/sh
# Makes the version-1 document files that the program must still open and save byte for byte, with an
# lvdtool built before documents could hold other scripts. Run once; the files are kept in the repository.
# usage: tests/data/version1/make-files.sh BUILD_DIR   (a build with bin/lvdtool)
set -e
lvdtool="$1/bin/lvdtool"
out=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

table() { # name, then the table's text for printf
    name=$1
    shift
    printf "$@" > "$work/$name.txt"
    "$lvdtool" import "$work/$name.txt" "$out/$name.lvd" > /dev/null
}

table empty 'Term\tDefinition\tComment'
table words 'Term\tDefinition\tExample\tComment\r\ncat\tanimal\ta cat sat\t\r\ndog\tanimal\t\tloyal\r\nemu\tbird\t\t'
# windows-1252 letters, the euro sign and the bytes the code page leaves undefined.
table windows-1252 'Mot\tD\351finition\tComment\r\ncaf\351\tboisson \340 base de caf\351\t\200 \201\377\r\nna\357ve\t\236\212\232\tS\321'
"$lvdtool" gen 40 "$out/scores.lvd"
# Its exports, which a list that fits the code page still writes byte for byte.
"$lvdtool" export "$out/windows-1252.lvd" "$out/windows-1252.txt"
"$lvdtool" export "$out/windows-1252.lvd" "$out/windows-1252.html"
