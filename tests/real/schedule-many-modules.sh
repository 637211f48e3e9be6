# The week ahead of a house of 40 modules: the picture scrolls with the mouse wheel down to the
# last lane, and a mark clicked there selects its event in the outline and brings the document
# window to the front. Each lane's name is shown in full.
. "$(dirname "$0")/session.sh"
start_display
returning_user
write_house "$HOME/forty.cp290" 40 1
start_on "$HOME/forty.cp290"
w=forty.cp290
s="Schedule — forty.cp290"

marks() { refresh_map; awk -F'\t' -v s="$s" '$1 == s && $2 == "mark"' "$work/map"; }
mark_at() { marks | awk -F'\t' -v m="$1" -v e="$2" '$3 == m && $4 == e { print $5, $6; exit }'; }
picture_bottom() { refresh_map; map_line "$s" QScrollArea scheduleScroll | awk -F'\t' '{ print $5 + $7 }'; }
last_mark_shown() {
    local y
    y=$(mark_at 39 0 | cut -d' ' -f2)
    [ -n "$y" ] && [ "$y" -lt "$(picture_bottom)" ]
}

click "$w" QPushButton "Schedule..."
wait_until "the schedule in front" 10 is_active "$s"
wait_map "the marks" eval '[ "$(marks | wc -l)" -eq 40 ]'
last_mark_shown && fail "all 40 lanes fit without scrolling: the test shows nothing"
xdotool mousemove $(centre_of "$s" QScrollArea scheduleScroll)
for _ in $(seq 30); do
    last_mark_shown && break
    xdotool click 5
done
wait_until "the last lane scrolled into view" 10 last_mark_shown
xdotool mousemove $(mark_at 39 0) click 1
wait_until "the document window in front" 10 is_active "$w"
last_row_selected() { rows_of "$w" | tail -n 1 | grep -q $'\tselected\t'; }
wait_map "the 40th module's event selected" last_row_selected
[ "$(rows_of "$w" | grep -c $'\tselected\t')" -eq 1 ] || fail "more than the one event selected"
quit_cleanly
