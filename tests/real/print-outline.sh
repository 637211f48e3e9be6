# Printing through the print dialog to a PDF: every shown row's text on paper, in order, at a size
# read on paper (7 to 14 points), inside its page, no row cut by a page break, and the column
# titles on every page. The sample document and one of 30 modules (330 rows).
. "$(dirname "$0")/session.sh"
start_display
returning_user

thirty="$HOME/thirty.cp290"
write_house "$thirty" 30 10
# The sample with every module open, as the printout is of the rows shown.
sed 's|<false/>|<true/>|g' "$TAVORIN_SOURCE/examples/house.cp290" >"$HOME/house.cp290"

# The rows as printed, one line each: "page<TAB>top<TAB>height<TAB>text", with words that share a
# page and a baseline joined; and a line "size<TAB>page<TAB>width<TAB>height" for each page.
printed_lines() {
    pdftotext -bbox "$1" - | awk '
        /<page / { page++; match($0, /width="[0-9.]+"/); w = substr($0, RSTART + 7, RLENGTH - 8)
                   match($0, /height="[0-9.]+"/); h = substr($0, RSTART + 8, RLENGTH - 9); print "size\t" page "\t" w "\t" h }
        /<word / { match($0, /xMin="[0-9.]+"/); x0 = substr($0, RSTART + 6, RLENGTH - 7)
                   match($0, /yMin="[0-9.]+"/); y0 = substr($0, RSTART + 6, RLENGTH - 7)
                   match($0, /xMax="[0-9.]+"/); x1 = substr($0, RSTART + 6, RLENGTH - 7)
                   match($0, /yMax="[0-9.]+"/); y1 = substr($0, RSTART + 6, RLENGTH - 7)
                   text = $0; sub(/.*">/, "", text); sub(/<\/word>.*/, "", text)
                   print "word\t" page "\t" x0 "\t" y0 "\t" x1 "\t" y1 "\t" text }' |
    sort -t $'\t' -k2,2n -k4,4n -k3,3n |
    awk -F'\t' '
        $1 == "size" { print; next }
        function flush() { if (text != "") print page "\t" top "\t" high "\t" text; text = "" }
        { if ($2 != page || $4 - top > 2) { flush(); page = $2; top = $4; high = $6 - $4 }
          text = text (text == "" ? "" : " ") $7 }
        END { flush() }'
}

# The names of the rows the outline shows, fully expanded (every module of these documents is).
expected_names() {
    "$build/tavorin-cli" describe "$1" | awk -F'\t' '/^\t/ { sub(/^\t/, ""); print; next } { print $4 }'
}

# A printed line without its house, unit and type: the row's name as the first column shows it.
printed_names() {
    awk -F'\t' '$1 != "size" && $4 !~ /^Module or Event House Unit Type$/ { print $4 }' |
        sed -E 's/&lt;/</g; s/&gt;/>/g; s/&quot;/"/g; s/&amp;/\&/g; s/ﬀ/ff/g; s/ﬁ/fi/g; s/ﬂ/fl/g; s/ [A-P] ([0-9]+|All Modules|All Lights)( Appliance| Light)?$//'
}

no_untitled_window() { ! grep -q $'^\twindow\t' "$work/map"; }

# Prints through the dialog: print_through_dialog DOCUMENT PDF [PAPER [FROM TO COPIES]].
print_through_dialog() {
    local document=$1 pdf=$2 paper=${3:-} from=${4:-} to=${5:-} copies=${6:-}
    start_on "$document"
    if [ -n "$paper" ]; then
        xdotool key alt+f u
        activate "Page Setup"
        click "Page Setup" QComboBox pageSizeCombo
        xdotool type --delay 20 "$paper"
        xdotool key Return
        paper_chosen() { [ "$(map_line "Page Setup" QComboBox pageSizeCombo | cut -f8)" = "$paper" ]; }
        wait_map "the paper $paper" paper_chosen
        click "Page Setup" QPushButton OK
        activate "$(basename "$document")"
    fi
    xdotool key ctrl+p
    activate Print
    click Print QLineEdit filename
    xdotool key ctrl+a
    xdotool type --delay 2 "$pdf"
    path_typed() { [ "$(map_line Print QLineEdit filename | cut -f8)" = "$pdf" ]; }
    wait_map "the path to be typed" path_typed
    # The field's completer may have opened its list of files (a window without a title): it
    # would take the click meant for Print.
    if grep -q $'^\twindow\t' "$work/map"; then
        xdotool key Escape
        wait_map "the completer's list to close" no_untitled_window
    fi
    if [ -n "$from" ]; then
        click Print QPushButton "Options >>"
        click Print QRadioButton "Pages from"
        set_spin() {
            click Print QSpinBox "$1"
            xdotool key ctrl+a
            xdotool type --delay 20 "$2"
            spin_says() { [ "$(map_line Print QSpinBox "$1" | cut -f8)" = "$2" ]; }
            wait_map "$1 to be $2" spin_says "$1" "$2"
        }
        set_spin to "$to"
        set_spin from "$from"
        set_spin copies "$copies"
    fi
    click Print QPushButton Print
    wait_until "the PDF to be written" 20 test -s "$pdf"
    activate "$(basename "$document")"
    quit_cleanly
}

check_printout() {
    local document=$1 pdf=$2 lines
    lines=$(printed_lines "$pdf")
    local pages
    pages=$(echo "$lines" | grep -c '^size')
    # Every page starts with the column titles; the rest, in order, are the outline's rows.
    local titles
    titles=$(echo "$lines" | awk -F'\t' '$1 != "size" && $4 ~ /^Module or Event House Unit Type$/' | wc -l)
    [ "$titles" -eq "$pages" ] || fail "$document: $titles pages of $pages carry the column titles"
    diff <(echo "$lines" | printed_names) <(expected_names "$document") >"$work/diff" ||
        fail "$document: printed rows differ: $(cat "$work/diff")"
    echo "$lines" | awk -F'\t' -v doc="$document" '
        $1 == "size" { height[$2] = $4; next }
        { n++; page[n] = $1; top[n] = $2; high[n] = $3; text[n] = $4 }
        END { for (i = 1; i <= n; i++) {
                  if (high[i] < 7 || high[i] > 14) { print doc ": text " high[i] " points high: " text[i]; bad = 1 }
                  if (top[i] < 0 || top[i] + high[i] > height[page[i]]) { print doc ": a row outside its page: " text[i]; bad = 1 } }
              exit bad }' >"$work/problems" || fail "$(head -n 5 "$work/problems")"
    echo "$document: $pages pages, $(echo "$lines" | awk -F'\t' '$1 != "size"' | wc -l) lines, text $(echo "$lines" | awk -F'\t' '$1 != "size" { print $3 }' | sort -n | uniq | tr '\n' ' ')points high"
}

# Printed into a folder of their own: no file there for the name field's completer to offer.
out="$HOME/printed"
mkdir -p "$out"
print_through_dialog "$HOME/house.cp290" "$out/house.pdf"
check_printout "$HOME/house.cp290" "$out/house.pdf"
print_through_dialog "$thirty" "$out/thirty.pdf"
check_printout "$thirty" "$out/thirty.pdf"
print_through_dialog "$thirty" "$out/thirty-letter.pdf" "Letter / ANSI A"
check_printout "$thirty" "$out/thirty-letter.pdf"
pdfinfo "$out/thirty.pdf" | grep -q '595.* x 841.* pts\|595.* x 842.* pts' || fail "the first printout is not on A4: $(pdfinfo "$out/thirty.pdf" | grep 'Page size')"
pdfinfo "$out/thirty-letter.pdf" | grep -q '612 x 792 pts' || fail "Page Setup's Letter was not printed on: $(pdfinfo "$out/thirty-letter.pdf" | grep 'Page size')"

# Pages 2 to 3 of a 60-page document, two copies: four pages, 2 3 2 3, the first of them not the
# document's first page.
sixty="$HOME/sixty.cp290"
write_house "$sixty" 60 60
print_through_dialog "$sixty" "$out/sixty-pages.pdf" "" 2 3 2
pdfinfo "$out/sixty-pages.pdf" | grep -q '^Pages: *4$' || fail "pages 2-3 twice gave $(pdfinfo "$out/sixty-pages.pdf" | grep Pages)"
page_text() { pdftotext -f "$2" -l "$2" "$1" - | tr -s ' \n' ' '; }
[ "$(page_text "$out/sixty-pages.pdf" 1)" = "$(page_text "$out/sixty-pages.pdf" 3)" ] || fail "the copies differ"
[ "$(page_text "$out/sixty-pages.pdf" 1)" != "$(page_text "$out/sixty-pages.pdf" 2)" ] || fail "pages 2 and 3 are the same"
case "$(page_text "$out/sixty-pages.pdf" 1)" in *"Module 1 "*) fail "the range began at the first page" ;; esac

# A module name too long for its column wraps inside it: every word of it is on paper.
long="A porch light with a name far longer than its column on paper can hold on one line, so that it wraps onto more lines"
sed "s|<string>Porch Light</string>|<string>$long</string>|" "$HOME/house.cp290" >"$HOME/long.cp290"
print_through_dialog "$HOME/long.cp290" "$out/long.pdf"
# Its words in order on paper, whatever the other columns' text between its lines.
on_paper=$(pdftotext "$out/long.pdf" - | tr -s ' \n' ' ')
in_order() { awk -v want="$long" '{ n = split(want, w, " "); k = 1; for (i = 1; i <= NF && k <= n; i++) if ($i == w[k]) k++; exit !(k > n) }' <<<"$on_paper"; }
in_order || fail "the long name was cut: $on_paper"
case "$on_paper" in *…*) fail "a row was cut short with an ellipsis: $on_paper" ;; esac
