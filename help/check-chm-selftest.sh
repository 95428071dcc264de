#!/bin/sh
# Shows that the help build and check-chm.sh catch a broken help file: each case damages a copy of
# the sources, and the build or the check must then fail; the untouched copy must pass both.
# Usage: check-chm-selftest.sh CHMCMD EXTRACT_CHMLIB SOURCEDIR
set -eu
if [ $# -ne 3 ]; then
    echo "usage: $0 CHMCMD EXTRACT_CHMLIB SOURCEDIR" >&2
    exit 2
fi
chmcmd=$1
extract=$2
src=$3
here=$(cd "$(dirname "$0")" && pwd)
failures=0

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
files=$(sed -n '/^\[FILES\]/,/^\[/p' "$src/Lorvant.hhp" | grep -v '^\[' | tr -d '\r' | grep -v '^$' | tr '\n' ' ')

copy_sources() {
    mkdir -p "$tmp/$1"
    for f in Lorvant.hhp Lorvant.hhc Lorvant.hhk $files; do
        cp "$src/$f" "$tmp/$1/"
    done
}
# Compiles without build-chm.sh's checks, so that a damaged project still yields a help file.
compile_anyway() {
    (cd "$tmp/$1" && "$chmcmd" Lorvant.hhp) >"$tmp/$1.log" 2>&1 || true
}
expect() {
    want=$1 case=$2
    shift 2
    if "$@" >"$tmp/out.log" 2>&1; then got=pass; else got=fail; fi
    if [ "$got" = "$want" ]; then
        echo "ok: $case"
    else
        echo "NOT OK: $case: expected $want, got $got" >&2
        cat "$tmp/out.log" >&2
        failures=$((failures + 1))
    fi
}
sources_of() {
    for f in Lorvant.hhp Lorvant.hhc Lorvant.hhk $files; do
        echo "$tmp/$1/$f"
    done
}

copy_sources intact
expect pass "the untouched sources build" sh "$here/build-chm.sh" "$chmcmd" "$tmp/intact.chm" "$tmp/intact-work" $(sources_of intact)
expect pass "the untouched help file passes the check" sh "$here/check-chm.sh" "$extract" "$tmp/intact.chm" "$src"

copy_sources missing
rm "$tmp/missing/specifyingstudysessionsettings.htm"
sed -i '/^specifyingstudysessionsettings.htm/d' "$tmp/missing/Lorvant.hhp"
expect fail "a page that other pages link to is missing: the build fails" \
    sh "$here/build-chm.sh" "$chmcmd" "$tmp/missing-out.chm" "$tmp/missing-work" \
    $(sources_of missing | grep -v specifyingstudysessionsettings)
compile_anyway missing
expect fail "a topic is missing from the help file: the check fails" \
    sh "$here/check-chm.sh" "$extract" "$tmp/missing/Lorvant.chm" "$src"

copy_sources brokenlink
sed -i 's|<h2>Topics</h2>|<h2>Topics</h2><p><a href="nosuchpage.htm">x</a></p>|' "$tmp/brokenlink/index.htm"
expect fail "a page links to a page that does not exist: the build fails" \
    sh "$here/build-chm.sh" "$chmcmd" "$tmp/brokenlink-out.chm" "$tmp/brokenlink-work" $(sources_of brokenlink)
compile_anyway brokenlink
expect fail "a page links to a page that does not exist: the check fails" \
    sh "$here/check-chm.sh" "$extract" "$tmp/brokenlink/Lorvant.chm" "$tmp/brokenlink"

copy_sources untitled
sed -i 's|<title>[^<]*</title>|<title></title>|' "$tmp/untitled/gettingstarted.htm"
compile_anyway untitled
expect fail "a topic has an empty title: the check fails" \
    sh "$here/check-chm.sh" "$extract" "$tmp/untitled/Lorvant.chm" "$tmp/untitled"

copy_sources altered
sed -i 's|You must enter a Term.|You must enter something.|' "$tmp/altered/addeditstudyitems.htm"
cmp -s "$src/addeditstudyitems.htm" "$tmp/altered/addeditstudyitems.htm" && {
    echo "NOT OK: the altered case did not change addeditstudyitems.htm" >&2
    failures=$((failures + 1))
}
compile_anyway altered
expect fail "a topic differs from its source: the check fails" \
    sh "$here/check-chm.sh" "$extract" "$tmp/altered/Lorvant.chm" "$src"

copy_sources badindex
sed -i "s/value=\"savingandopening.htm\"/value=\"saving.htm\"/" "$tmp/badindex/Lorvant.hhk"
expect fail "an index entry leads to no page: the build fails" \
    sh "$here/build-chm.sh" "$chmcmd" "$tmp/badindex-out.chm" "$tmp/badindex-work" $(sources_of badindex)
compile_anyway badindex
expect fail "an index entry leads to no page: the check fails" \
    sh "$here/check-chm.sh" "$extract" "$tmp/badindex/Lorvant.chm" "$tmp/badindex"

copy_sources notoc
sed -i '/value="customizestudysetstructure.htm"/d' "$tmp/notoc/Lorvant.hhc"
compile_anyway notoc
expect fail "a topic is left out of the table of contents: the check fails" \
    sh "$here/check-chm.sh" "$extract" "$tmp/notoc/Lorvant.chm" "$tmp/notoc"

if [ "$failures" -ne 0 ]; then
    echo "$failures self-test case(s) failed" >&2
    exit 1
fi
