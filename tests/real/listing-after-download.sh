# Send the sample to the emulated CP290, then List Events: the listing comes to the front as the
# key window with the records read back, and the application quits cleanly.
. "$(dirname "$0")/session.sh"
open_sample_as_returning_user with-emulator

click house.cp290 QPushButton "Send to CP290"
refresh_map  # answered once the download is over
grep -q 'record' "$work/emulator.out" || grep -q . "$work/emulator.out" || fail "the emulator saw nothing"
activate house.cp290
xdotool key alt+2 l
wait_window "Events From CP290"
refresh_map
wait_until "the listing to be the active window" 10 is_active "Events From CP290"
listing=$(value_of "Events From CP290" QPlainTextEdit "")
case "$listing" in "Events from CP290 as of "*'\nA-All Modules Turn Off @ 1:00 AM Every Day\n'*) ;;
    *) fail "the listing does not show the records sent: $listing" ;; esac
quit_cleanly
