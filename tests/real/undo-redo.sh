# Edit > Undo and Redo by their keys: a deleted module comes back selected and the document is
# clean again; redone, saved, undone and redone it is clean at the saved state; an editor change,
# named in the Edit menu, is taken back from it. Copy and Paste by their keys, after the menu has
# been open: an event pasted before the selected event, a module before the selected module, each
# selected, the module's paste one step to undo. A module opened by the keys before a Delete is
# open again after its undo. Ctrl+Z reaches the document from the editor's fields and an event's
# cell: after Sunrise is ticked (the focus then in the sign field), after an offset ends with
# Return, after an event's text ends with Return (its cell stays open). Edit > Select All selects
# every row.
. "$(dirname "$0")/session.sh"
open_sample_as_returning_user
w=house.cp290

before=$(rows "$w")

click_row "$w" "Pool Pump"
wait_map "Pool Pump selected" row_selected "$w" "Pool Pump"
xdotool key Delete
wait_until "the module to go" 10 eval '! has_row "Pool Pump"'
wait_until "the document to be marked changed" 10 is_active "$w*"

xdotool key ctrl+z
wait_map "the module back where it was" eval '[ "$(rows "$w")" = "$before" ]'
row_selected "$w" "Pool Pump" || fail "the module came back unselected"
wait_until "the document to be clean again" 10 is_active "$w"

xdotool key ctrl+shift+z
wait_until "the delete to be done again" 10 eval '! has_row "Pool Pump"'
xdotool key ctrl+s
wait_until "the save" 10 is_active "$w"
! grep -q "Pool Pump" "$HOME/$w" || fail "the saved file still holds the module"
xdotool key ctrl+z
wait_until "the undone delete to mark the document" 10 is_active "$w*"
xdotool key ctrl+y
wait_until "the saved state to be clean" 10 is_active "$w"

# An editor change, named in the Edit menu by the control changed and taken back from there.
click "$w" QPushButton "Show Event Editor"
click_row "$w" "Turn On @ Sunset Every Day"
click "$w" QRadioButton Off
wait_map "the change in the outline" has_row "Turn Off @ Sunset Every Day"
menu alt+e
[ "$(menu_item "Undo Change On or Off")" = "enabled unchecked" ] || fail "the Edit menu does not name the change: $(grep $'\titem\tUndo' "$work/map")"
xdotool key u
wait_map "the change taken back" has_row "Turn On @ Sunset Every Day"
wait_until "the saved state again" 10 is_active "$w"

count_of() { rows_of "$w" | cut -f9 | grep -cx "$1" || true; }
xdotool key ctrl+c
click_row "$w" "Turn Off @ 10:45 PM On .MTWTF."
xdotool key ctrl+v
wait_map "the event pasted into the living room, selected" eval '[ "$(count_of "Turn On @ Sunset Every Day")" -eq 2 ] && row_selected "$w" "Turn On @ Sunset Every Day"'
rows "$w" | grep -q "|Turn On 50.0% @ 06:30 PM On .MTWTF.|Turn On @ Sunset Every Day|Turn Off @ 10:45 PM On .MTWTF.|" || fail "pasted elsewhere: $(rows "$w")"
click_row "$w" "Bedroom Lamp"
xdotool key ctrl+c
click_row "$w" "Vacation Lights"
xdotool key ctrl+v
wait_map "the module pasted before the vacation lights, selected" eval 'rows "$w" | grep -q "|Bedroom Lamp|Bedroom Lamp|Vacation Lights|" && row_selected "$w" "Bedroom Lamp"'
xdotool key ctrl+z
wait_map "the paste taken back in one step" eval '[ "$(count_of "Bedroom Lamp")" -eq 1 ]'

click_row "$w" "Bedroom Lamp"
xdotool key Right
off="Turn Off @ 07:30 AM On .MTWTF."
wait_map "Bedroom Lamp open" has_row "$off"
row_selected "$w" "Bedroom Lamp" || fail "opening Bedroom Lamp moved the selection"
xdotool key Delete
wait_until "Bedroom Lamp to go" 10 eval '! has_row "Bedroom Lamp"'
xdotool key ctrl+z
wait_map "Bedroom Lamp back, open as it was" has_row "$off"

click_row "$w" "$off"
click "$w" QCheckBox Sunrise
wait_map "sunrise ticked" has_row "Turn Off @ Sunrise On .MTWTF."
xdotool key ctrl+z
wait_map "Ctrl+Z from the sign field to untick it" has_row "$off"
click "$w" QCheckBox Sunrise
click "$w" QLineEdit Offset
xdotool key ctrl+a
xdotool type --delay 20 "0:20"
xdotool key Return
wait_map "the offset" has_row "Turn Off @ Sunrise+00:20 On .MTWTF."
xdotool key ctrl+z
wait_map "Ctrl+Z from the offset field to take it back" has_row "Turn Off @ Sunrise On .MTWTF."
click "$w" QPushButton Edit
xdotool key ctrl+a
xdotool type --delay 20 "turn off @ 9:00 am"
xdotool key Return
wait_map "the typed text" has_row "Turn Off @ 09:00 AM On .MTWTF."
xdotool key ctrl+z
wait_map "Ctrl+Z from the open cell to take it back" has_row "Turn Off @ Sunrise On .MTWTF."
menu alt+e
[ "$(menu_item "Select All")" = "enabled unchecked" ] || fail "no Select All in the Edit menu: $(grep $'\titem\t' "$work/map" | cut -f3 | tr '\n' '|')"
xdotool key a
all_selected() { ! rows_of "$w" | awk -F'\t' '$8 != "selected"' | grep -q .; }
wait_map "every row selected" all_selected
xdotool key ctrl+q
discard_changes
expect_exit_status 0
