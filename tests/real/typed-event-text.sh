# "Turn Off 12.5% @ 7 pm" typed into an appliance's event row stores a plain off event: the
# outline shows it, and the saved document downloads an off at 7 pm, not a dim that switches on.
. "$(dirname "$0")/session.sh"
open_sample_as_returning_user

row_text() { rows_of house.cp290 | awk -F'\t' -v r="$1" '$3 == r { print $9 }'; }
shows() { awk -F'\t' -v r="$1" -v t="$2" '$2 == "row" && $3 == r && $9 == t' "$work/map" | grep -q .; }

click house.cp290 row "$(row_of house.cp290 "Pool Pump")"
pump=$(row_of house.cp290 "Pool Pump")
xdotool key Right Down
wait_until "the pump's events to show" 10 test -n "$(row_text $((pump + 1)))"
click house.cp290 QPushButton Edit
xdotool key ctrl+a
xdotool type --delay 5 "Turn Off 12.5% @ 7 pm"
xdotool key Return
click house.cp290 QPushButton "End Edit"
wait_map "the row to show a plain off event, not \"$(row_text $((pump + 1)))\"" shows $((pump + 1)) "Turn Off @ 07:00 PM On Even Days"
xdotool key ctrl+s
wait_until "the document to be saved" 10 is_active house.cp290

plan=$("$build/tavorin-cli" plan "$HOME/house.cp290" --now "2026-12-08 06:00" --location 41,-74,-18000)
echo "$plan" | grep -q "^B-5  Turn Off @ 7:00 PM" || fail "the download would send: $plan"
echo "$plan" | grep -q "^B-5  Turn On" && echo "$plan" | grep "^B-5  Turn On" | grep -qv "8:00 AM" && fail "an off event switches on: $plan"
quit_cleanly
