# The week ahead: the document window's Schedule button shows it; clicking a mark of the picture
# selects its event in the outline; the picture follows an edit at once; Window > Schedule brings
# it back. With a second document opened after it, the first one's button still shows the first,
# named in the title, Ctrl+Z in the Schedule undoes in the document it shows, and the Window menu
# lists both documents and brings the chosen one forward, minimised or not; the Schedule follows
# the document in front.
. "$(dirname "$0")/session.sh"
copy_sample other.cp290
open_sample_as_returning_user
w=house.cp290
s="Schedule — house.cp290"

marks() { refresh_map; awk -F'\t' -v s="$s" '$1 == s && $2 == "mark"' "$work/map"; }
mark_at() { marks | awk -F'\t' -v m="$1" -v e="$2" '$3 == m && $4 == e { print $5, $6; exit }'; }

click "$w" QPushButton "Schedule..."
wait_window "$s"
wait_until "the schedule to be in front" 10 is_active "$s"
wait_map "the living room lamp's marks" eval '[ -n "$(mark_at 1 0)" ]'
before=$(marks | wc -l)

# The lamp's evening switch-on, clicked in the picture, is the event selected in the outline.
xdotool mousemove $(mark_at 1 0) click 1
wait_map "the event selected" row_selected "$w" "Turn On 50.0% @ 06:30 PM On .MTWTF."

# Deleting that event takes its mark out of the picture.
activate "$w"
xdotool key Delete
wait_map "the picture to follow the edit" eval '[ "$(marks | wc -l)" -eq $((before - 1)) ]'
xdotool key alt+w s
wait_until "Window > Schedule to bring it to the front" 10 is_active "$s"

# A second document, opened last and so in front.
activate "$w"
xdotool key ctrl+o
activate Open
xdotool type --delay 5 "$HOME/other.cp290"
xdotool key Return
activate other.cp290
activate "$w"
click "$w" QPushButton "Schedule..."
wait_until "the first document's schedule in front" 10 is_active "$s"
xdotool key ctrl+z
wait_map "the Delete undone in the document shown" eval '[ "$(marks | wc -l)" -eq '"$before"' ]'
[ -z "$(window_id "$w" changed)" ] || fail "the undo did not bring house.cp290 back to its saved state"
[ -z "$(window_id other.cp290 changed)" ] || fail "the undo reached other.cp290"

activate "$w"
menu alt+w
[ "$(menu_item house.cp290)|$(menu_item other.cp290)" = "enabled checked|enabled unchecked" ] ||
    fail "the Window menu lists: house $(menu_item house.cp290), other $(menu_item other.cp290)"
xdotool key Up Return  # the last item: the document opened last
wait_until "the Window menu to bring other.cp290 forward" 10 is_active other.cp290
wait_until "the Schedule to follow the document in front" 10 window_id_found "Schedule — other.cp290"

# Minimised, it comes back from the Window menu too.
xdotool key ctrl+m
wait_until "other.cp290 to be minimised" 10 eval '! is_active other.cp290'
activate "$w"
menu alt+w
xdotool key Up Return
wait_until "the Window menu to bring the minimised window back" 10 is_active other.cp290
quit_cleanly
