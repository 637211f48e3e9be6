# Rows dragged with the mouse: modules reordered, events moved within a module and to another,
# each refused drop changing nothing, a mixed selection starting no drag, no closed module opened by
# modules dragged over it, and modules and events dragged from one document window to another, each
# window's undo taking back only its own half.
. "$(dirname "$0")/session.sh"
start_display 1600x900  # room for two windows side by side
returning_user
copy_sample house.cp290
copy_sample other.cp290
start_on "$HOME/house.cp290"
w=house.cp290

centre() { rows_of "$w" | awk -F'\t' -v t="$1" '$9 == t { printf "%d %d\n", $4 + 60, $5 + $7 / 2; exit }'; }
gap_above() { rows_of "$w" | awk -F'\t' -v t="$1" '$9 == t { printf "%d %d\n", $4 + 60, $5 + 1; exit }'; }
order() { awk -F'\t' -v w="$w" '$1 == w && $2 == "row" { print $9 }' "$work/map" | tr '\n' '|'; }
order_is() { [ "$(order)" = "$1" ]; }
drop_line_shown() { grep -q "^$w"$'\tdrop\tbetween\t' "$work/map"; }
no_drop_shown() { ! grep -q "^$w"$'\tdrop\t' "$work/map"; }
# Selecting clicks left of where drags start, so that a drag's press never makes a double click.
select_row() { xdotool mousemove $(rows_of "$w" | awk -F'\t' -v t="$1" '$9 == t { printf "%d %d\n", $4 + 20, $5 + $7 / 2; exit }') click 1; wait_map "\"$1\" selected" selected "$1"; }
selected() { awk -F'\t' -v w="$w" -v t="$1" '$1 == w && $2 == "row" && $9 == t' "$work/map" | grep -q $'\tselected\t'; }

start_order=$(refresh_map; order)

# An event dropped back where it stands changes nothing: the title stays clean.
select_row "Turn On @ Sunset Every Day"
hold=drop_line_shown drag $(centre "Turn On @ Sunset Every Day") $(gap_above "Turn Off @ 11:30 PM Every Day") $(centre "Bedroom Lamp")
select_row "Vacation Lights"
[ "$(order)" = "$start_order" ] || fail "a drop in place moved rows: $(order)"
is_active house.cp290 || fail "a drop in place marked the document changed: $(active_title)"

# Modules reordered: the last one dragged above the first, the line showing where it lands.
select_row "Everything Off"
hold=drop_line_shown drag $(centre "Everything Off") $(gap_above "Porch Light")
wait_map "Everything Off to come first" order_is "Everything Off|${start_order%Everything Off|}"
wait_until "the document to be marked changed" 10 is_active "house.cp290*"

# Two events of two modules, chosen with Ctrl+click, dragged above the first module's first event:
# both land there in their shown order, and both leave their old places.
select_row "Turn Off @ 11:30 PM Every Day"
xdotool mousemove $(rows_of "$w" | awk -F'\t' '$9 == "Turn Off @ 10:45 PM On .MTWTF." { printf "%d %d\n", $4 + 20, $5 + $7 / 2; exit }') keydown ctrl click 1 keyup ctrl
wait_map "both events selected" selected "Turn Off @ 10:45 PM On .MTWTF."
hold=drop_line_shown drag $(centre "Turn Off @ 10:45 PM On .MTWTF.") $(gap_above "Turn On @ Sunset Every Day")
wait_map "both events to land above the sunset" order_is "Everything Off|Porch Light|Turn Off @ 11:30 PM Every Day|Turn Off @ 10:45 PM On .MTWTF.|Turn On @ Sunset Every Day|Living Room Lamp|Turn On 50.0% @ 06:30 PM On .MTWTF.|Bedroom Lamp|Pool Pump|Vacation Lights|"
xdotool key ctrl+z
wait_map "the undo to put them back" order_is "Everything Off|${start_order%Everything Off|}"

# An event moved within its module, then to another module.
select_row "Turn Off @ 11:30 PM Every Day"
hold=drop_line_shown drag $(centre "Turn Off @ 11:30 PM Every Day") $(gap_above "Turn On @ Sunset Every Day")
wait_map "the porch events to swap" order_is "Everything Off|Porch Light|Turn Off @ 11:30 PM Every Day|Turn On @ Sunset Every Day|Living Room Lamp|Turn On 50.0% @ 06:30 PM On .MTWTF.|Turn Off @ 10:45 PM On .MTWTF.|Bedroom Lamp|Pool Pump|Vacation Lights|"
select_row "Turn On @ Sunset Every Day"
hold=drop_line_shown drag $(centre "Turn On @ Sunset Every Day") $(gap_above "Turn Off @ 10:45 PM On .MTWTF.")
wait_map "the sunset event to join the living room" order_is "Everything Off|Porch Light|Turn Off @ 11:30 PM Every Day|Living Room Lamp|Turn On 50.0% @ 06:30 PM On .MTWTF.|Turn On @ Sunset Every Day|Turn Off @ 10:45 PM On .MTWTF.|Bedroom Lamp|Pool Pump|Vacation Lights|"
moved_order=$(order)

# Refused: an event between two modules, onto a closed module, onto an open module's own row.
places=(gap_above centre centre)
names=("Pool Pump" "Bedroom Lamp" "Living Room Lamp")
for refused in 0 1 2; do
    select_row "Turn Off @ 11:30 PM Every Day"
    hold=no_drop_shown drag $(centre "Turn Off @ 11:30 PM Every Day") $(${places[refused]} "${names[refused]}")
    select_row "Vacation Lights"  # taken in after the drop: whatever it did is done
    [ "$(order)" = "$moved_order" ] || fail "a refused drop ${places[refused]} \"${names[refused]}\" changed the outline: $(order)"
done

# A mixed selection (a module and another module's event) starts no drag.
select_row "Bedroom Lamp"
xdotool mousemove $(rows_of "$w" | awk -F'\t' '$9 == "Turn Off @ 11:30 PM Every Day" { printf "%d %d\n", $4 + 30, $5 + $7 / 2; exit }') keydown ctrl click 1 keyup ctrl
wait_map "a mixed selection" selected "Turn Off @ 11:30 PM Every Day"
press_and_move $(centre "Turn Off @ 11:30 PM Every Day") $(gap_above "Vacation Lights")
select_row "Vacation Lights"
[ "$(order)" = "$moved_order" ] || fail "a mixed selection was dragged: $(order)"

# Modules dragged over a closed module leave it closed.
select_row "Pool Pump"
hold=drop_line_shown drag $(centre "Pool Pump") $(centre "Bedroom Lamp")
select_row "Vacation Lights"
[ "$(row_of "$w" "Bedroom Lamp")" -eq $(($(row_of "$w" "Pool Pump") - 1)) ] || fail "Pool Pump did not land after Bedroom Lamp: $(order)"
[ "$(row_of "$w" "Bedroom Lamp")" -eq $(($(row_of "$w" "Vacation Lights") - 2)) ] || fail "Bedroom Lamp opened: $(order)"

# From one window to another: both outlines follow and both documents are marked changed.
xdotool key ctrl+o
activate Open
xdotool type --delay 5 "$HOME/other.cp290"
xdotool key Return
activate other.cp290
moved() { local id; id=$(window_id "$1"); [ -n "$id" ] && xdotool windowmove "$id" "$2" "$3"; }
wait_until "the other window to move" 10 moved other.cp290 800 40
wait_until "the first window to move" 10 moved house.cp290 0 40
side_by_side() { [ "$(map_line other.cp290 window "" | cut -f4)" -ge "$(map_line house.cp290 window "" | cut -f6)" ]; }
wait_map "the windows side by side" side_by_side
activate house.cp290
select_row "Vacation Lights"
w=other.cp290
target=$(gap_above "Porch Light")
w=house.cp290
line_in_other() { grep -q $'^other.cp290\tdrop\tbetween\t' "$work/map"; }
hold=line_in_other drag $(centre "Vacation Lights") $target
arrived() { awk -F'\t' '$1 == "other.cp290" && $2 == "row" && $3 == 0 && $9 == "Vacation Lights"' "$work/map" | grep -q .; }
wait_map "Vacation Lights to arrive first in the other window" arrived
wait_until "the other document to be marked changed" 10 window_id_found other.cp290 changed
w=house.cp290
refresh_map
[ -z "$(row_of "$w" "Vacation Lights")" ] || fail "Vacation Lights stayed in the first window"

# An event too: from the first window's living room into the other's porch light.
select_row "Turn Off @ 10:45 PM On .MTWTF."
w=other.cp290
target=$(gap_above "Turn Off @ 11:30 PM Every Day")
w=house.cp290
hold=line_in_other drag $(centre "Turn Off @ 10:45 PM On .MTWTF.") $target
joined() { awk -F'\t' '$1 == "other.cp290" && $2 == "row" { print $9 }' "$work/map" | tr '\n' '|' |
           grep -q "|Turn On @ Sunset Every Day|Turn Off @ 10:45 PM On .MTWTF.|Turn Off @ 11:30 PM Every Day|"; }
wait_map "the event to join the other window's porch light" joined
[ -z "$(row_of "$w" "Turn Off @ 10:45 PM On .MTWTF.")" ] || fail "the event stayed in the first window"
# Each window takes back its own half of the drag: the other's undo leaves the first as it is.
activate other.cp290
xdotool key ctrl+z
wait_map "the event to leave the other window" eval '! joined'
[ -z "$(row_of "$w" "Turn Off @ 10:45 PM On .MTWTF.")" ] || fail "the other window's undo put the event back in the first"
activate house.cp290
xdotool key ctrl+z
wait_map "the event back in the first window" eval '[ -n "$(row_of "$w" "Turn Off @ 10:45 PM On .MTWTF.")" ]'
xdotool key ctrl+q
for document in 1 2; do
    discard_changes
done
expect_exit_status 0
