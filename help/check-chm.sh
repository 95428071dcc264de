#!/bin/sh
# Checks that a compiled Lorvant.chm holds the help pages the program opens, unchanged.
# Usage: check-chm.sh EXTRACT_CHMLIB CHM SOURCEDIR
# The program opens the contents page and four topics by name; each must be in the file, byte for byte
# as in SOURCEDIR, with a title, listed in the table of contents, and every local link must resolve.
set -eu
if [ $# -ne 3 ]; then
    echo "usage: $0 EXTRACT_CHMLIB CHM SOURCEDIR" >&2
    exit 2
fi
extract=$1
chm=$2
src=$3
topics="gettingstarted.htm addeditstudyitems.htm customizestudysetstructure.htm specifyingstudysessionsettings.htm importtextfile.htm"
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
if ! "$extract" "$chm" "$tmp/chm" >"$tmp/extract.log" 2>&1; then
    cat "$tmp/extract.log" >&2
    echo "FAIL: cannot extract $chm" >&2
    exit 1
fi
out="$tmp/chm"

# Every file of the project's [FILES] list is in the help file, unchanged.
files=$(sed -n '/^\[FILES\]/,/^\[/p' "$src/Lorvant.hhp" | grep -v '^\[' | tr -d '\r' | grep -v '^$' | tr '\n' ' ')
for f in $files Lorvant.hhc Lorvant.hhk; do
    if [ ! -f "$out/$f" ]; then
        fail "$f is missing from the help file"
    elif ! cmp -s "$src/$f" "$out/$f"; then
        fail "$f in the help file differs from its source"
    fi
done

# The pages the program opens by name: present, titled, and reachable from the table of contents.
for page in index.htm $topics; do
    case " $files " in
    *" $page "*) ;;
    *) fail "$page is not listed under [FILES] of Lorvant.hhp" ;;
    esac
    [ -f "$out/$page" ] || continue
    if ! grep -Eiq '<title>[^<]*[^[:space:]<][^<]*</title>' "$out/$page"; then
        fail "$page has no title"
    fi
    if ! grep -q "name=\"Local\" value=\"$page\"" "$out/Lorvant.hhc"; then
        fail "$page is not in the table of contents"
    fi
done

# The viewer's home page is the contents page.
if [ ! -f "$out/#SYSTEM" ] || ! grep -aq 'index\.htm' "$out/#SYSTEM"; then
    fail "the help file does not name index.htm as its default topic"
fi

# Local links between pages, and the entries of the contents and the index, lead to pages inside the help file.
for page in $files; do
    case $page in *.htm) ;; *) continue ;; esac
    [ -f "$out/$page" ] || continue
    for target in $(grep -o 'href="[^"]*"' "$out/$page" | sed 's/^href="//; s/"$//; s/#.*//' | grep -v ':' | grep -v '^$' | sort -u); do
        [ -f "$out/$target" ] || fail "$page links to $target, which is not in the help file"
    done
done
for list in Lorvant.hhc Lorvant.hhk; do
    [ -f "$out/$list" ] || continue
    for target in $(grep -o 'name="Local" value="[^"]*"' "$out/$list" | sed 's/.*value="//; s/"$//' | sort -u); do
        [ -f "$out/$target" ] || fail "$list leads to $target, which is not in the help file"
    done
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed for $chm" >&2
    exit 1
fi
echo "$chm holds index.htm and the topics $topics"
