# A new document saved under a typed name without extension gets ".cp290"; Revert to Saved asks
# first, Cancel keeps the change, Revert brings the saved document back.
. "$(dirname "$0")/session.sh"
start_display
returning_user
start_app
activate Untitled

xdotool key ctrl+s
activate "Save As"
xdotool key ctrl+a
xdotool type --delay 5 "$HOME/porch"
xdotool key Return
wait_until "the document to be saved" 10 test -s "$HOME/porch.cp290"
wait_until "the window to take the file's name" 10 is_active porch.cp290

click porch.cp290 QPushButton "New Module"
wait_until "the change to show" 10 is_active "porch.cp290*"
[ "$(rows_of porch.cp290 | wc -l)" -eq 2 ] || fail "New Module did not add a row"

xdotool key Escape alt+f r
activate "Revert to Saved"
xdotool key Escape
wait_until "the question to go" 10 is_active "porch.cp290*"
[ "$(rows_of porch.cp290 | wc -l)" -eq 2 ] || fail "Cancel reverted"

xdotool key alt+f r
activate "Revert to Saved"
click "Revert to Saved" QPushButton Revert
wait_until "the saved document to be back" 10 is_active porch.cp290
[ "$(rows_of porch.cp290 | wc -l)" -eq 1 ] || fail "Revert did not bring the saved document back"
quit_cleanly
