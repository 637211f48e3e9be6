# What the matrix of typed fields and ways of leaving them does not hold: looking at every row
# changes nothing; a refused time and refused dates (one past 2040-02-06) leave field and file as
# they were; Ctrl+Z takes back a stepped time from its field; a typed date taken back by Edit >
# Undo comes again by Redo; Today and the repeat days stepped are stored; a new event looked away
# from is no second step; a new module's name taken back by Edit > Undo comes again by Redo, and
# closing asks.
. "$(dirname "$0")/session.sh"
open_sample_as_returning_user
w=house.cp290

saved() { "$build/tavorin-cli" describe "$HOME/house.cp290"; }
holds() { saved | grep -qF -- "$1" || fail "the file does not hold \"$1\": $(saved)"; }
type_into() { click "$w" "$1" "$2"; xdotool key ctrl+a; xdotool type --delay 20 "$3"; }
save() { xdotool key ctrl+s; wait_until "the save" 10 is_active "$w"; }
shows() { wait_map "\"$1\" in the outline" has_row "$1"; }
undo_item() { menu alt+e; local item; item=$(menu_item "$1"); xdotool key Escape; echo "$item"; }

click "$w" QPushButton "Show Event Editor"
refresh_map
rows "$w" | tr '|' '\n' | while read -r row; do [ -n "$row" ] && click_row "$w" "$row"; done
is_active "$w" || fail "looking at the rows changed the document: $(active_title)"
[ "$(undo_item Undo)" = "disabled unchecked" ] || fail "looking at the rows left something to undo"

click_row "$w" "Turn Off @ 11:30 PM Every Day"
type_into ClockField Time "24:00"
save
holds "Turn Off @ 11:30 PM Every Day"
[ "$(value_of "$w" ClockField Time)" = "11:30 PM" ] || fail "the refused time stays shown: $(value_of "$w" ClockField Time)"
click "$w" ClockField Time
xdotool key End Up
shows "Turn Off @ 11:31 PM Every Day"
xdotool key ctrl+z
shows "Turn Off @ 11:30 PM Every Day"
wait_until "the undo back to the saved state" 10 is_active "$w"

click_row "$w" "Vacation Lights"
xdotool key Right
vacation="Turn On @ 07:15 PM On 12/20/2026 & Every 2 Days Thereafter"
shows "$vacation"
for refused in "2/29/2027" "12/24/2040"; do
    click_row "$w" "$vacation"
    type_into ClockField Date "$refused"
    xdotool key Tab
    save
    holds "$vacation"
done
click_row "$w" "$vacation"
type_into ClockField Date "12/24/2026"
menu alt+e
xdotool key u
shows "$vacation"
xdotool key ctrl+shift+z
shows "Turn On @ 07:15 PM On 12/24/2026 & Every 2 Days Thereafter"
click "$w" QPushButton Today
click "$w" QSpinBox "Repeat every so many days"
xdotool key Up
shows "Turn On @ 07:15 PM On $(date +%m/%d/%Y) & Every 3 Days Thereafter"
save
holds "Turn On @ 07:15 PM On $(date +%m/%d/%Y) & Every 3 Days Thereafter"

# A new event takes the seconds of now: looking away from it is no step of its own.
click_row "$w" "Living Room Lamp"
click "$w" QPushButton "New Event"
new_event=$(rows_of "$w" | awk -F'\t' '$8 == "selected" { print $9; exit }')
click_row "$w" "Turn Off @ 10:45 PM On .MTWTF."
[ "$(undo_item "Undo New Event")" = "enabled unchecked" ] || fail "looking away made a step: $(grep $'\titem\tUndo' "$work/map")"
save
click_row "$w" "$new_event"
click_row "$w" "Turn Off @ 10:45 PM On .MTWTF."
is_active "$w" || fail "looking at a new event changed the document: $(active_title)"
quit_cleanly

start_on "$HOME/house.cp290"
click "$w" QPushButton "New Module"
xdotool type --delay 20 "Garden"
menu alt+e
xdotool key u
wait_map "the name taken back" eval '! has_row Garden'
xdotool key ctrl+shift+z
shows "Garden"
xdotool key ctrl+w
activate "Save changes?"
click "Save changes?" QPushButton Discard
expect_exit_status 0
