# Hostile documents by the routes a person takes: File > Open Recent names one nested 200,000
# levels deep, one whose single long name stands for 3,000, a pipe that nobody writes to and a
# file of 64 MB and one byte; each is refused with its reason in an alert, at once, the application
# stays, and the open document is as it was.
. "$(dirname "$0")/session.sh"
start_display
returning_user
copy_sample house.cp290
python3 "$TAVORIN_SOURCE/tests/fuzz/hostile-seeds.py" "$work/seeds"
cp "$work/seeds/any/xml-deep-200000" "$HOME/deep.cp290"
cp "$work/seeds/any/binary-shared-string" "$HOME/shared.cp290"
mkfifo "$HOME/pipe.cp290"
truncate -s $((64 * 1024 * 1024 + 1)) "$HOME/huge.cp290"
printf 'Recent%%20Modules%%20Files=%s, %s, %s, %s\n' "$HOME/deep.cp290" "$HOME/shared.cp290" "$HOME/pipe.cp290" \
    "$HOME/huge.cp290" >>"$settings"
start_on "$HOME/house.cp290"
refresh_map
before=$(rows house.cp290)

alert="The document could not be opened."
says() { grep -F -- "$1" "$work/map" | grep -qF "$2"; }
# Opens the recent document DOWN places below the first, then reads its refusal: refused DOWN NAME REASON.
refused() {
    menu alt+f t
    xdotool key $(printf 'Down %.0s' $(seq "$1")) Return
    wait_until "the alert on $2" 10 window_id_found "$alert"
    wait_map "the alert to name $2 and why" says "\"$2\" could not be opened" "$3"
    activate "$alert"
    xdotool key Return
    wait_until "the alert to go" 10 no_window "$alert"
}
refused 1 deep.cp290 "nests deeper than a document does"
refused 2 shared.cp290 "repeats its objects far beyond its own size"
refused 3 pipe.cp290 "Not a file but a pipe, a socket or a device"
refused 4 huge.cp290 "Larger than 64 MB"

is_active house.cp290 || fail "the open document changed: $(active_title)"
refresh_map
[ "$(rows house.cp290)" = "$before" ] || fail "the open document's rows changed"
quit_cleanly
