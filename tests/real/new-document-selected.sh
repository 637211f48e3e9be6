# File > New: the new module's row is selected with its name open for typing, the window's
# commands are enabled at once, and an untouched new document quits without a question. New and
# opened windows each cascade from the one last in front.
. "$(dirname "$0")/session.sh"
open_sample_as_returning_user

xdotool key ctrl+n
activate Untitled
rows=$(rows_of Untitled)
[ "$(echo "$rows" | wc -l)" -eq 1 ] || fail "a new document holds one module: $rows"
echo "$rows" | grep -q $'\tselected\tNew Module$' || fail "the new module's row is not selected: $rows"
for command in "New Event" Delete "End Edit" On Off; do
    [ "$(map_line Untitled QPushButton "$command" | cut -f8)" = enabled ] || fail "$command is disabled"
done
grep -q $'^focus\tQLineEdit\t' "$work/map" || fail "the name is not open for typing"

# A second window takes the focus from the name being typed: nothing was changed. It stands
# down and to the right of the first.
xdotool key ctrl+n
activate "Untitled 2"
refresh_map
read -r x1 y1 < <(map_line Untitled window "" | cut -f4,5)
read -r x2 y2 < <(map_line "Untitled 2" window "" | cut -f4,5)
[ "$x2" -gt "$x1" ] && [ "$y2" -gt "$y1" ] || fail "the second window is not cascaded: $x1,$y1 and $x2,$y2"
activate Untitled
is_active Untitled || fail "the untouched document is marked changed: $(active_title)"

# Documents opened with File > Open one after another each stand clear of the one before, though
# the file dialog, not a document, is in front when they open.
copy_sample a.cp290
copy_sample b.cp290
open_file() {
    xdotool key ctrl+o
    activate Open
    xdotool type --delay 5 "$HOME/$1"
    xdotool key Return
    activate "$1"
}
open_file a.cp290
open_file b.cp290
refresh_map
read -r xa ya < <(map_line a.cp290 window "" | cut -f4,5)
read -r xb yb < <(map_line b.cp290 window "" | cut -f4,5)
[ "$xb" -gt "$xa" ] && [ "$yb" -gt "$ya" ] || fail "b.cp290 hides a.cp290: $xa,$ya and $xb,$yb"
quit_cleanly
