# Edit > Undo and Redo by their keys: a deleted module comes back selected and the document is
# clean again; redone, saved, undone and redone it is clean at the saved state; an editor change
# is taken back in the outline.
. "$(dirname "$0")/session.sh"
open_sample_as_returning_user
w=house.cp290

rows() { rows_of "$w" | cut -f9 | tr '\n' '|'; }
has_row() { rows_of "$w" | cut -f9 | grep -qx "$1"; }
row_selected() { rows_of "$w" | awk -F'\t' -v t="$1" '$9 == t' | grep -q $'\tselected\t'; }
select_text() { rows_of "$w" | awk -F'\t' -v t="$1" '$9 == t { printf "%d %d\n", $4 + 30, $5 + $7 / 2; exit }'; }
before=$(rows)

xdotool mousemove $(select_text "Pool Pump") click 1
wait_map "Pool Pump selected" row_selected "Pool Pump"
xdotool key Delete
wait_until "the module to go" 10 eval '! has_row "Pool Pump"'
wait_until "the document to be marked changed" 10 is_active "$w*"

xdotool key ctrl+z
wait_map "the module back where it was" eval '[ "$(rows)" = "$before" ]'
row_selected "Pool Pump" || fail "the module came back unselected"
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

# An editor change, taken back with the menu's key while the focus is on the switch.
click "$w" QPushButton "Show Event Editor"
xdotool mousemove $(select_text "Turn On @ Sunset Every Day") click 1
click "$w" QRadioButton Off
wait_map "the change in the outline" has_row "Turn Off @ Sunset Every Day"
xdotool key ctrl+z
wait_map "the change taken back" has_row "Turn On @ Sunset Every Day"
wait_until "the saved state again" 10 is_active "$w"
xdotool key ctrl+q
expect_exit_status 0
