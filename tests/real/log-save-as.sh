# Save As in the helper's log window writes the log; the document's file and title stay as they
# were. Clear empties the log and the window.
. "$(dirname "$0")/session.sh"
start_display
returning_user
mkdir -p "$XDG_DATA_HOME/Logs"
printf 'Dec 07 00:01:00 -- Events sent.\nDec 07 00:02:00 -- Enabled by user.\n' >"$XDG_DATA_HOME/Logs/TavorinHelper.log"
copy_sample house.cp290
cp "$HOME/house.cp290" "$work/original.cp290"
start_on "$HOME/house.cp290"

xdotool key alt+w l
activate "Tavorin Helper Log"
xdotool key ctrl+shift+s
activate Save
xdotool key ctrl+a
xdotool type --delay 5 "$HOME/saved-log.txt"
xdotool key Return
wait_until "the log to be saved" 10 test -s "$HOME/saved-log.txt"
cmp -s "$HOME/saved-log.txt" "$XDG_DATA_HOME/Logs/TavorinHelper.log" || fail "the saved file is not the log: $(head -c 200 "$HOME/saved-log.txt")"
cmp -s "$HOME/house.cp290" "$work/original.cp290" || fail "the document file changed"
refresh_map
[ -n "$(map_line house.cp290 window "")" ] || fail "the document window lost its title"
activate "Tavorin Helper Log"
[ -n "$(value_of "Tavorin Helper Log" QPlainTextEdit "")" ] || fail "the log window shows no log"
click "Tavorin Helper Log" QPushButton Clear
wait_until "the log to be emptied" 10 test ! -s "$XDG_DATA_HOME/Logs/TavorinHelper.log"
[ -z "$(value_of "Tavorin Helper Log" QPlainTextEdit "")" ] || fail "the window still shows the log"
quit_cleanly
