# What is typed and not yet finished (no Tab, no Return) when the user does something else is
# kept, or refused whole, never lost: the window shows what the file holds. The editor's time,
# offset and date and an event's text, each left by Ctrl+S, a click on another row, Edit > Undo
# (its own step, taken back and done again), Today, Send to CP290; a module's name and house left
# by Ctrl+S and by a click on another row; a stepped time taken back by Ctrl+Z from its field; a
# refused time and date leave field and file as they were. Then a typed offset left by
# Ctrl+W and a typed time by Ctrl+Q, where the question must come; a new module's name left by
# Edit > Undo: Redo brings it back, and closing asks before it is lost.
. "$(dirname "$0")/session.sh"
open_sample_as_returning_user with-emulator
w=house.cp290

saved() { "$build/tavorin-cli" describe "$HOME/house.cp290"; }
holds() { saved | grep -qF -- "$1" || fail "the file does not hold \"$1\": $(saved)"; }
pick() { xdotool mousemove $(select_text "$w" "$1") click 1; wait_map "\"$1\" selected" row_selected "$w" "$1"; }
type_into() { click "$w" "$1" "$2"; xdotool key ctrl+a; xdotool type --delay 20 "$3"; }
save() { xdotool key ctrl+s; wait_until "the save" 10 is_active "$w"; }
has_row() { echo "|$(rows "$w")" | grep -qF "|$1|"; }
shows() { wait_map "\"$1\" in the outline" has_row "$1"; }

click "$w" QPushButton "Show Event Editor"
# Looking changes nothing: every row clicked through with the editor open, the title stays clean
# and there is nothing to undo.
undo_item() { menu alt+e; local item; item=$(menu_item Undo); xdotool key Escape; echo "$item"; }
refresh_map
rows "$w" | tr '|' '\n' | while read -r row; do [ -n "$row" ] && pick "$row"; done
is_active "$w" || fail "looking at the rows changed the document: $(active_title)"
[ "$(undo_item)" = "disabled unchecked" ] || fail "looking at the rows left something to undo"
# The time typed, then Ctrl+S.
pick "Turn Off @ 11:30 PM Every Day"
type_into ClockField Time "7:10p"
save
holds "Turn Off @ 07:10 PM Every Day"
# The offset typed, then a click on another row, then Ctrl+S.
pick "Bedroom Lamp"
xdotool key Right
shows "Turn On 75.0% @ Sunrise-00:30 On .MTWTF."
pick "Turn On 75.0% @ Sunrise-00:30 On .MTWTF."
type_into QLineEdit Offset "1:15"
pick "Turn Off @ 07:30 AM On .MTWTF."
shows "Turn On 75.0% @ Sunrise-01:15 On .MTWTF."
save
holds "Turn On 75.0% @ Sunrise-01:15 On .MTWTF."
# A refused time: the field shows the time again, nothing is stored.
pick "Turn Off @ 07:30 AM On .MTWTF."
type_into ClockField Time "24:00"
save
holds "Turn Off @ 07:30 AM On .MTWTF."
[ "$(value_of "$w" ClockField Time)" = "7:30 AM" ] || fail "the refused time stays shown: $(value_of "$w" ClockField Time)"
# Up in the time field, then Ctrl+Z there: the field has nothing of its own to take back.
click "$w" ClockField Time
xdotool key End Up
shows "Turn Off @ 07:31 AM On .MTWTF."
xdotool key ctrl+z
shows "Turn Off @ 07:30 AM On .MTWTF."
wait_until "the undo back to the saved state" 10 is_active "$w"

xdotool mousemove $(select_text "$w" "Vacation Lights") click 1
xdotool key Right
vacation="Turn On @ 07:15 PM On 12/20/2026 & Every 2 Days Thereafter"
shows "$vacation"
# A refused date and one past 2040-02-06: nothing stored, nothing wrapped.
for refused in "2/29/2027" "12/24/2040"; do
    pick "$vacation"
    type_into ClockField Date "$refused"
    xdotool key Tab
    save
    holds "$vacation"
done
# The date typed, then Edit > Undo: the typing is its own step, taken back; Redo does it again.
pick "$vacation"
type_into ClockField Date "12/24/2026"
menu alt+e
xdotool key u
shows "$vacation"
xdotool key ctrl+shift+z
shows "Turn On @ 07:15 PM On 12/24/2026 & Every 2 Days Thereafter"
save
holds "Turn On @ 07:15 PM On 12/24/2026 & Every 2 Days Thereafter"
# Today, then Ctrl+S.
click "$w" QPushButton Today
save
holds "Turn On @ 07:15 PM On $(date +%m/%d/%Y) & Every 2 Days Thereafter"
# An event's text typed after Edit, then Ctrl+S.
pick "Pool Pump"
xdotool key Right
shows "Turn Off @ 11:00 AM On Even Days"
pick "Turn Off @ 11:00 AM On Even Days"
click "$w" QPushButton Edit
xdotool key ctrl+a
xdotool type --delay 20 "turn off @ 11:45 am on even days"
save
holds "Turn Off @ 11:45 AM On Even Days"
# A module's name typed after Edit, then Ctrl+S; its house after Tab, then a click on another row.
pick "Porch Light"
click "$w" QPushButton Edit
xdotool key ctrl+a
xdotool type --delay 20 "Front Porch"
save
holds $'A\t1\tLight\tFront Porch'
pick "Front Porch"
click "$w" QPushButton Edit
xdotool key Tab ctrl+a d
pick "Living Room Lamp"
save
holds $'D\t1\tLight\tFront Porch'
# The time typed, then Send to CP290: the download and the file hold it.
pick "Front Porch"
xdotool key Right
pick "Turn Off @ 07:10 PM Every Day"
type_into ClockField Time "8:40 pm"
click "$w" QPushButton "Send to CP290"
wait_until "the download to be remembered" 20 eval '[ -n "$(setting Modules)" ]'
shows "Turn Off @ 08:40 PM Every Day"
save
holds "Turn Off @ 08:40 PM Every Day"
# A new event, looked away from, saved, looked at again: its time, taken with the seconds of now,
# is no change of its own, before the save or after it.
pick "Living Room Lamp"
click "$w" QPushButton "New Event"
new_event=$(rows_of "$w" | awk -F'\t' '$8 == "selected" { print $9; exit }')
pick "Turn Off @ 10:45 PM On .MTWTF."
menu alt+e
[ -n "$(menu_item "Undo New Event")" ] || fail "looking away made a step of its own: $(grep $'\titem\tUndo' "$work/map")"
xdotool key Escape
save
pick "$new_event"
pick "Turn Off @ 10:45 PM On .MTWTF."
is_active "$w" || fail "looking at a new event changed the document: $(active_title)"
quit_cleanly

# A typed offset left by Ctrl+W: the question comes, and Save keeps it.
start_on "$HOME/house.cp290"
wait_map "the editor saved open to open again" shown "$w" QPushButton "Hide Event Editor"
pick "Turn On 75.0% @ Sunrise-01:15 On .MTWTF."
type_into QLineEdit Offset "0:45"
xdotool key ctrl+w
activate "Save changes?"
click "Save changes?" QPushButton Save
wait_until "the window to close" 10 no_window "$w"
holds "Turn On 75.0% @ Sunrise-00:45 On .MTWTF."
expect_exit_status 0

# A typed time left by Ctrl+Q: the question comes, and Save keeps it.
start_on "$HOME/house.cp290"
wait_map "the editor saved open to open again" shown "$w" QPushButton "Hide Event Editor"
pick "Turn Off @ 08:40 PM Every Day"
type_into ClockField Time "9:20 pm"
xdotool key ctrl+q
activate "Save changes?"
click "Save changes?" QPushButton Save
expect_exit_status 0
holds "Turn Off @ 09:20 PM Every Day"

# A new module's name typed, then Edit > Undo: the name is taken back, the module stays; Redo
# brings the name back, and closing asks.
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
