# The Edit menu chosen while the focus is in text acts on that text, as its keys do, and not on the
# rows behind it: in the event editor's Time field, Cut, Copy and Delete wait for a selection,
# Delete takes out the letters selected (no event goes), Select All selects the field's text
# only, and Copy and Paste carry one event's time into another (no event is pasted). Over the
# Schedule's words, which cannot be changed, only Copy and Select All can be chosen, and the words
# copied are what a module's name cell pastes. A cell being edited stays open under the menu, for
# Cut and Paste on its text, and Undo takes back what was typed into it. The times typed are
# saved; the name is not.
. "$(dirname "$0")/session.sh"
open_sample_as_returning_user
w=house.cp290
s="Schedule — house.cp290"
click "$w" QPushButton "Show Event Editor"
count=$(rows "$w" | tr '|' '\n' | grep -c .)

# The Edit menu over the focused text: the state of each item named, "enabled" or "disabled".
items_are() {
    local expected=$1 item state shown=""
    menu alt+e
    for item in Cut Copy Paste Delete "Select All"; do
        state=$(menu_item "$item")
        shown="$shown$item ${state%% *}, "
    done
    xdotool key Escape Escape  # the menu, then the menu bar
    wait_map "the Edit menu and the menu bar to let go" menu_closed
    [ "$shown" = "$expected" ] || fail "the Edit menu over the text shows \"$shown\", not \"$expected\""
}
menu_closed() { ! menus_open 1 && ! grep -q $'^focus\tQMenuBar' "$work/map"; }
choose() { menu alt+e; xdotool key "$1"; }
# Selects an event and waits for the editor to show its time (and the outline to have the keys).
pick_event() { click_row "$w" "$1"; wait_map "the time of \"$1\"" time_shows "$2"; }
# Clicks the Time field and waits for its keys.
into_time() { click "$w" ClockField Time; wait_map "the Time field's focus" grep -q $'^focus\tClockField\tTime$' "$work/map"; }
into_cell() { click "$w" QPushButton Edit; wait_map "the cell's field" grep -q $'^focus\tQLineEdit\t$' "$work/map"; }
cell_text() { refresh_map; map_line "$w" QLineEdit "" | cut -f8; }
time_shows() { [ "$(value_of "$w" ClockField Time)" = "$1" ]; }
row_count_kept() { [ "$(rows "$w" | tr '|' '\n' | grep -c .)" -eq "$count" ] || fail "$1: the outline has other rows: $(rows "$w")"; }
select_am_pm() { xdotool key End shift+Left shift+Left shift+Left; }
one_row_selected() { [ "$(rows_of "$w" | grep -c $'\tselected\t')" -eq 1 ] || fail "$1: the rows' selection changed"; }

pick_event "Turn Off @ 11:30 PM Every Day" "11:30 PM"
into_time
xdotool key End
items_are "Cut disabled, Copy disabled, Paste disabled, Delete disabled, Select All enabled, "
select_am_pm
items_are "Cut enabled, Copy enabled, Paste disabled, Delete enabled, Select All enabled, "
select_am_pm  # a field gives up its selection to the menu bar, as any field of the toolkit does
choose d
wait_map "the letters selected to go" time_shows "11:30"
row_count_kept "Delete"
xdotool key Return
wait_map "the time taken in" has_row "Turn Off @ 11:30 AM Every Day"

choose a
one_row_selected "Select All"
choose c
pick_event "Turn Off @ 10:45 PM On .MTWTF." "10:45 PM"
into_time
choose a
choose p
wait_map "the time pasted" time_shows "11:30 AM"
row_count_kept "Paste"
xdotool key Return
wait_map "the pasted time taken in" has_row "Turn Off @ 11:30 AM On .MTWTF."
one_row_selected "Paste"

click "$w" QPushButton "Schedule..."
activate "$s"
click "$s" QPlainTextEdit ""
items_are "Cut disabled, Copy disabled, Paste disabled, Delete disabled, Select All enabled, "
choose a
items_are "Cut disabled, Copy enabled, Paste disabled, Delete disabled, Select All enabled, "
choose c
words=$(value_of "$s" QPlainTextEdit "")
activate "$w"
click_row "$w" "Pool Pump"
into_cell
choose a
choose p
first_line=${words%%\\n*}
wait_map "the Schedule's words pasted into the name" eval '[ "$(cell_text | cut -c1-${#first_line})" = "$first_line" ]'
xdotool key Escape
wait_map "the name as it was" has_row "Pool Pump"

# The name cell stays open under the menu: Cut and Paste act on its text, no row goes or comes,
# and Undo, named for the typing, takes back what was typed into it.
into_cell
choose a
choose t
wait_map "the name cut out of the cell" eval '[ -z "$(cell_text)" ]'
row_count_kept "Cut in a cell"
xdotool type --delay 15 "Well "
choose p
wait_map "the name pasted after what was typed" eval '[ "$(cell_text)" = "Well Pool Pump" ]'
menu alt+e
[ "$(menu_item "Undo Typing")" = "enabled unchecked" ] && [ "$(menu_item Redo)" = "disabled unchecked" ] ||
    fail "the Edit menu does not offer to undo the typing in the cell"
xdotool key u
wait_map "the typing taken back" eval 'has_row "Pool Pump" && [ -z "$(cell_text)" ]'
row_count_kept "Undo in a cell"

xdotool key ctrl+s
wait_until "the save" 10 is_active "$w"
"$build/tavorin-cli" describe "$HOME/$w" | grep -q "Turn Off @ 11:30 AM On .MTWTF." || fail "the pasted time is not saved"
quit_cleanly
