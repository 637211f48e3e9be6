# The outline's cells and rows by hand: a module renamed, Tab taking the editing on to its house
# (a letter past P refused) and its unit ("m" for All Modules, whose events only switch off); New
# Event in a closed module opens it with the new event selected; a mixed selection, which the Edit
# menu lets be deleted but not copied, deleted from it; Collapse All and Expand All; a module cut
# and pasted elsewhere; the view saved comes back with the document; a file that is no document
# opens nothing and says so.
. "$(dirname "$0")/session.sh"
start_display
returning_user
copy_sample house.cp290
printf 'not a document' >"$HOME/broken.cp290"
start_on "$HOME/house.cp290"
w=house.cp290
selected_rows() { rows_of "$w" | awk -F'\t' '$8 == "selected" { print $9 }' | tr '\n' '|'; }
editing() { awk -F'\t' -v w="$w" '$1 == w && $2 == "QLineEdit" && $3 == "" { print $8 }' "$work/map"; }

click_row "$w" "Pool Pump"
click "$w" QPushButton Edit
xdotool key ctrl+a
xdotool type --delay 20 "Well Pump"
xdotool key Tab
wait_map "the house cell to be edited" eval '[ "$(editing)" = B ]'
xdotool type --delay 20 "qc"
wait_map "q refused, c taken" eval '[ "$(editing)" = C ]'
xdotool key Tab ctrl+a m
wait_map "m to be All Modules" eval '[ "$(editing)" = "All Modules" ]'
xdotool key Return
xdotool key ctrl+s
wait_until "the save" 10 is_active "$w"
"$build/tavorin-cli" describe "$HOME/$w" | grep -A2 "Well Pump" >"$work/pump"
[ "$(cat "$work/pump")" = $'C\tAll Modules\t\tWell Pump\n\tTurn Off @ 08:00 AM On Even Days\n\tTurn Off @ 11:00 AM On Even Days' ] ||
    fail "the renamed module was saved as: $(cat "$work/pump")"

click_row "$w" "Bedroom Lamp"
click "$w" QPushButton "New Event"
wait_map "the new event selected in the opened module" eval 'rows "$w" | grep -q "|Bedroom Lamp|Turn On 75.0% @ Sunrise-00:30 On .MTWTF.|Turn Off @ 07:30 AM On .MTWTF.|[^|]*|Well Pump|" && [ "$(selected_rows | tr -cd "|" | wc -c)" -eq 1 ]'
selected_rows | grep -q "^Turn " || fail "the new event is not what is selected: $(selected_rows)"

click_row "$w" "Turn Off @ 11:30 PM Every Day"
xdotool keydown ctrl mousemove $(select_text "$w" "Living Room Lamp") click 1 mousemove $(select_text "$w" "Vacation Lights") click 1 keyup ctrl
menu alt+e
[ "$(menu_item Copy)|$(menu_item Delete)" = "disabled unchecked|enabled unchecked" ] || fail "a mixed selection: Copy $(menu_item Copy), Delete $(menu_item Delete)"
xdotool key d
wait_map "the three rows to go" eval '! rows "$w" | grep -q "Turn Off @ 11:30 PM Every Day\|Living Room Lamp\|Vacation Lights"'
rows "$w" | grep -q "^Porch Light|Turn On @ Sunset Every Day|Bedroom Lamp|" || fail "deleted too much: $(rows "$w")"

click "$w" QPushButton "Collapse All"
wait_map "every module closed" eval '! rows "$w" | grep -q "|Turn "'
click "$w" QPushButton "Expand All"
wait_map "every module open" eval 'rows "$w" | grep -q "|Well Pump|Turn Off @ 08:00 AM On Even Days|"'
click_row "$w" "Porch Light"
xdotool key ctrl+x
wait_map "the cut module to go" eval '! rows "$w" | grep -q "Porch Light"'
click_row "$w" "Well Pump"
xdotool key ctrl+v
wait_map "the cut module pasted before the pump" eval 'rows "$w" | grep -q "|Porch Light|Turn On @ Sunset Every Day|Well Pump|"'

click_row "$w" "Well Pump"
click "$w" QPushButton "Show Event Editor"
xdotool key ctrl+s
wait_until "the save" 10 is_active "$w"
saved_rows=$(rows "$w")
quit_cleanly

start_app "$HOME/broken.cp290" "$HOME/house.cp290"
activate "The document could not be opened."
xdotool key Return
activate "$w"
[ -z "$(window_id broken.cp290)" ] || fail "a window opened on the broken file"
[ "$(rows "$w")" = "$saved_rows" ] || fail "the view came back as $(rows "$w"), saved as $saved_rows"
[ "$(selected_rows)" = "Well Pump|" ] || fail "the selection came back as $(selected_rows)"
shown "$w" QDockWidget drawer || fail "the open drawer did not come back"
quit_cleanly
