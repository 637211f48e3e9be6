# New Module clicked while a module's name is being typed goes after that module, with the typed
# name kept.
. "$(dirname "$0")/session.sh"
start_display
returning_user
start_app
activate Untitled

xdotool type --delay 5 "Porch"
click Untitled QPushButton "New Module"
names() { awk -F'\t' '$1 == "Untitled" && $2 == "row" { print $9 }' "$work/map" | tr '\n' '|'; }
names_are() { [ "$(names)" = "$1" ]; }
wait_map "the new module after the one being named, not \"$(names)\"" names_are "Porch|New Module|"
awk -F'\t' '$1 == "Untitled" && $2 == "row" && $3 == 1' "$work/map" | grep -q $'\tselected\t' || fail "the new module is not selected"
xdotool key Escape ctrl+q
discard_changes
expect_exit_status 0
