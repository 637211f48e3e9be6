# The event editor's Tab order, for an event at a clock time on weekdays, a sunrise event and a
# dated event: every control on screen once, line by line from the top and left to right within
# a line, round to the first again; a control of a page not shown (the date of a weekday event,
# the weekdays of a dated one) or one that cannot be used (the time of a sunrise event) never.
. "$(dirname "$0")/session.sh"
open_sample_as_returning_user
w=house.cp290
click "$w" QPushButton "Show Event Editor"

focused() { refresh_map; sed -n 's/^focus\t//p' "$work/map"; }
# Tab from the given field round to it again: "Class<TAB>Label<TAB>x<TAB>y<TAB>h" a control.
walk() {
    click "$w" "$1" "$2"
    local start here steps=0
    start=$(focused)
    here=$start
    : >"$work/walk"
    while :; do
        map_line "$w" "${here%%$'\t'*}" "${here#*$'\t'}" | awk -F'\t' '{ printf "%s\t%s\t%d\t%d\t%d\n", $2, $3, $4, $5, $7 }' >>"$work/walk"
        xdotool key Tab
        steps=$((steps + 1))
        [ $steps -lt 40 ] || fail "Tab never came back to $start: $(cut -f1,2 "$work/walk" | tr '\n' '|')"
        here=$(focused)
        [ "$here" != "$start" ] || break
    done
}
# Each control once, and each next one below the line of the one before it or right of it on
# that line, but for the one step from the last control back round to the first.
in_reading_order() {
    [ "$(cut -f1,2 "$work/walk" | sort | uniq -d)" = "" ] || fail "a control twice: $(cut -f1,2 "$work/walk" | tr '\n' '|')"
    awk -F'\t' 'NR > 1 { if (!($4 >= y + h || $3 > x)) back++ } { x = $3; y = $4; h = $5 } END { exit back > 1 }' "$work/walk" ||
        fail "not line by line, left to right: $(cut -f1-4 "$work/walk" | tr '\t\n' ' |')"
}
visits() { grep -q "^$1"$'\t'"$2"$'\t' "$work/walk" || fail "Tab never reaches the $1 \"$2\": $(cut -f1,2 "$work/walk" | tr '\t\n' ' |')"; }
skips() { ! grep -q "^$1"$'\t'"$2"$'\t' "$work/walk" || fail "Tab reaches the $1 \"$2\", which is not to be used"; }

click_row "$w" "Turn On 50.0% @ 06:30 PM On .MTWTF."
walk ClockField Time
in_reading_order
for control in "QRadioButton On" "QSlider Brightness" "QCheckBox Sunrise" "QCheckBox Sunset" "QComboBox Days" \
               "QCheckBox Mon" "QCheckBox Sat" "QPushButton Reset"; do
    visits "${control%% *}" "${control#* }"
done
skips ClockField Date

click_row "$w" "Bedroom Lamp"
xdotool key Right
click_row "$w" "Turn On 75.0% @ Sunrise-00:30 On .MTWTF."
walk QLineEdit Offset
in_reading_order
visits QLineEdit "Offset before or after"
skips ClockField Time

click_row "$w" "Vacation Lights"
xdotool key Right
click_row "$w" "Turn On @ 07:15 PM On 12/20/2026 & Every 2 Days Thereafter"
walk ClockField Date
in_reading_order
visits QPushButton Today
visits QSpinBox "Repeat every so many days"
skips QCheckBox Mon
is_active "$w" || fail "walking the editor changed the document: $(active_title)"
quit_cleanly
