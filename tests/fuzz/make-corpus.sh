#!/bin/sh
# Makes the seed corpus of fuzz_document from small tables through lvdtool, plus a few files
# changed by hand: trailing bytes, other settings. Run once; the files are kept in the repository.
# usage: tests/fuzz/make-corpus.sh BUILD_DIR   (a native build with bin/lvdtool)
set -e
lvdtool="$1/bin/lvdtool"
out=$(cd "$(dirname "$0")" && pwd)/corpus/document
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

table() { # name, then the table's text for printf
    name=$1
    shift
    printf "$@" > "$work/$name.txt"
    "$lvdtool" import "$work/$name.txt" "$out/$name.lvd" > /dev/null
}

table empty 'Term\tDefinition\tComment'
table few-items 'Term\tDefinition\tComment\r\ncat\tanimal\t\r\ndog\tanimal\tloyal\r\nemu\tbird\t'
table several-fields 'Word\tDefinition\tExample\tPlural\tComment\r\nmouse\trodent\ta mouse ran\tmice\t\r\nox\tbovine\t\toxen\tfarm'
table no-fields 'Question\tComment\r\nWhy?\tbecause\r\n\t'
table repeated-field 'Term\tX\tX\tComment\r\na\tsame\tsame\t\r\nb\t\t\tnone'
table eight-bit 'Mot\tD\351finition\tComment\r\ncaf\351\tboisson \340 base de caf\351\t\200\377\r\nna\357ve\tsimple\t\321'
"$lvdtool" gen 3 "$out/scores.lvd"

# Many fields, where a reader that stored a name per value would spend the most: 500 short names, and
# 12 names of 4 KiB. Every field holds a value.
header=Term
row=a
for i in $(seq 100 599); do header="$header\\tf$i"; row="$row\\tv"; done
table many-fields "$header\\tComment\\r\\n$row\\t\\r\\n$row\\tc"
long=$(head -c 4093 /dev/zero | tr '\000' n)
header=Term
row=a
for i in $(seq 100 111); do header="$header\\t$long$i"; row="$row\\tv"; done
table long-field-names "$header\\tComment\\r\\n$row\\t\\r\\n$row\\tc\\r\\n$row\\t"

# Version 2: text beyond the legacy code page, and sections the reader does not know (kept, written back).
table scripts 'Word\tMeaning\tComment\r\n\305\201\303\263d\305\272\tcity\t\r\n\317\203\316\277\317\206\316\257\316\261\twisdom\t\360\237\230\200\r\n\346\227\245\346\234\254\tJapan\t'
size=$(wc -c < "$out/scripts.lvd")
{ head -c $((size - 8)) "$out/scripts.lvd"; printf 'DSCH\003\000\000\000abc\007\000\000\000\000\000\000\000'; \
  printf '\000\000\000\000\000\000\000\000'; } > "$out/sections.lvd"

# The review schedule: a list reviewed through lvdtool, with its schedule and review log sections.
"$lvdtool" gen 4 "$work/schedule.lvd"
printf '1\t2026-01-31T08:00:00Z\t3\n1\t2026-01-31T08:10:00Z\t3\n2\t2026-01-31T08:00:00Z\t1\n3\t2026-02-02T08:00:00Z\t4\n1\t2026-02-05T08:00:00Z\t2\n' \
    > "$work/schedule.tsv"
"$lvdtool" review "$work/schedule.lvd" "$work/schedule.tsv" --save "$out/schedule.lvd" > /dev/null

# Bytes after the settings record are ignored by the reader.
{ cat "$out/few-items.lvd"; printf 'trailing\000\305\377'; } > "$out/trailing-bytes.lvd"

# Settings: time-out 10, shuffle, continuous, case-sensitive, 5 choices, from field 1 to the term.
size=$(wc -c < "$out/several-fields.lvd")
head -c $((size - 36)) "$out/several-fields.lvd" > "$out/settings.lvd"
true='\267\372\276\272'
printf "\012\000\000\000$true$true$true\005\000\000\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000" \
    >> "$out/settings.lvd"

# Refused files: an item type claiming 2 GiB in a 30-byte file, and 999,999 items announced.
{ printf '\001\000\376\312\305\377\377\377\177'; head -c 21 /dev/zero; } > "$out/huge-string.lvd"
{ printf '\001\000\376\312\305\004\000\000\000Term\001\000\000\000\305\012\000\000\000Definition'; \
  printf '\077\102\017\000'; } > "$out/many-items.lvd"
