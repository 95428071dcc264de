#!/bin/sh
# Makes the spreadsheet files of the text import tests with a real spreadsheet program, gnumeric's
# ssconvert: a small sheet of words (written here in the program's own XML) saved as CSV, as CSV
# with semicolons and CR LF, as tab-separated text, and as UTF-16 Unicode text with CR LF. Run once;
# the files are kept in the repository, so the tests do not need the spreadsheet program.
# usage: tests/data/import/make-files.sh   (needs ssconvert, from Debian's gnumeric package)
set -e
out=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cell() { # row, column, text (XML-escaped)
    printf '<gnm:Cell Row="%s" Col="%s" ValueType="60">%s</gnm:Cell>\n' "$1" "$2" "$3"
}
{
    printf '<?xml version="1.0" encoding="UTF-8"?>\n'
    printf '<gnm:Workbook xmlns:gnm="http://www.gnumeric.org/v10.dtd">\n'
    printf '<gnm:SheetNameIndex><gnm:SheetName>Words</gnm:SheetName></gnm:SheetNameIndex>\n'
    printf '<gnm:Sheets><gnm:Sheet><gnm:Name>Words</gnm:Name>\n'
    printf '<gnm:MaxCol>2</gnm:MaxCol><gnm:MaxRow>7</gnm:MaxRow><gnm:Cells>\n'
    cell 0 0 'German'
    cell 0 1 'English'
    cell 0 2 'Comment'
    cell 1 0 'Aalspieß'
    cell 1 1 'eel spear'
    cell 2 0 'groß, sehr groß'
    cell 2 1 'big; very big'
    cell 2 2 'ß ä é €'
    cell 3 0 '&quot;train on line&quot; indication (railway)'
    cell 3 1 'Zugmeldung'
    cell 3 2 'quote first'
    cell 4 0 'Straße&#10;Weg'
    cell 4 1 'street'
    cell 4 2 'two lines'
    cell 5 1 'no term'
    cell 6 0 'Łódź'
    cell 6 1 'Lodz'
    cell 7 0 'Tabulator'
    cell 7 1 'tab&#9;stop'
    printf '</gnm:Cells></gnm:Sheet></gnm:Sheets></gnm:Workbook>\n'
} > "$work/words.gnumeric"

tab=$(printf '\t')
ssconvert -T Gnumeric_stf:stf_csv "$work/words.gnumeric" "$out/words.csv"
ssconvert -T Gnumeric_stf:stf_assistant -O 'separator=; eol=windows' "$work/words.gnumeric" \
    "$out/words-semicolon.csv"
ssconvert -T Gnumeric_stf:stf_assistant -O "separator=\"$tab\"" "$work/words.gnumeric" "$out/words-tab.txt"
ssconvert -T Gnumeric_stf:stf_assistant -O "separator=\"$tab\" charset=UTF-16 eol=windows" "$work/words.gnumeric" \
    "$out/words-utf16.txt"
