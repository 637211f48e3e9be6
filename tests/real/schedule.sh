# The week ahead: the document window's Schedule button shows it; clicking a mark of the picture
# selects its event in the outline; the picture follows an edit at once; Window > Schedule brings
# it back.
. "$(dirname "$0")/session.sh"
open_sample_as_returning_user
w=house.cp290

marks() { refresh_map; awk -F'\t' '$1 == "Schedule" && $2 == "mark"' "$work/map"; }
mark_at() { marks | awk -F'\t' -v m="$1" -v e="$2" '$3 == m && $4 == e { print $5, $6; exit }'; }

click "$w" QPushButton "Schedule..."
wait_window Schedule
wait_until "the schedule to be in front" 10 is_active Schedule
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
wait_until "Window > Schedule to bring it to the front" 10 is_active Schedule
xdotool key ctrl+q
discard_changes
expect_exit_status 0
