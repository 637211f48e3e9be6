# A click on New Module while the CP290 is busy is dropped, not replayed once the work is over.
. "$(dirname "$0")/session.sh"
export TAVORIN_TICK_SCALE=0.4
open_sample_as_returning_user with-emulator

refresh_map
new_module=$(centre_of house.cp290 QPushButton "New Module")
before=$(rows_of house.cp290 | wc -l)
click house.cp290 QPushButton "Send to CP290"
wait_window CP290
xdotool mousemove $new_module click 1 sleep 0.2 click 1
refresh_map
wait_until "the status sheet to go" 10 no_window CP290
after=$(rows_of house.cp290 | wc -l)
[ "$after" -eq "$before" ] || fail "the outline went from $before to $after rows"
is_active house.cp290 || fail "the document was changed: $(active_title)"
quit_cleanly
