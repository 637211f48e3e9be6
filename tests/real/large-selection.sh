# On 2,000 modules with 20,000 events expanded (22,000 rows), Select All, a click after it,
# Shift+End and a click after that, Ctrl+Z after a Delete of every row, and a paste of every
# module each leave the window answering within a second and a half.
. "$(dirname "$0")/session.sh"
start_display
returning_user

large="$HOME/large.cp290"
write_house "$large" 2000 10
start_on "$large"

selected_rows() { awk -F'\t' '$2 == "row" && $8 == "selected"' "$work/map" | wc -l; }
visible_rows() { awk -F'\t' '$2 == "row"' "$work/map" | wc -l; }
all_visible_selected() { [ "$(selected_rows)" -eq "$(visible_rows)" ]; }
one_selected() { [ "$(selected_rows)" -eq 1 ]; }
last_row_selected() { [ "$(awk -F'\t' '$2 == "row" && $3 == 21999' "$work/map" | cut -f8)" = selected ]; }
row_current() { awk -F'\t' -v r="$1" '$2 == "row" && $3 == r' "$work/map" | grep -q $'\tselected\t' && one_selected; }
row1_current() { row_current 1; }
row3_current() { row_current 3; }

# Wall time from a key or click until the window shows its outcome: settles WHAT OUTCOME ACTION...
settles() {
    local what=$1 outcome=$2 start elapsed
    shift 2
    start=$(date +%s%N)
    "$@"
    while :; do
        refresh_map
        elapsed=$((($(date +%s%N) - start) / 1000000))
        "$outcome" && break
        [ "$elapsed" -lt 1500 ] || fail "$what: no outcome after $elapsed ms"
        sleep 0.05
    done
    echo "$what: $elapsed ms"
    [ "$elapsed" -lt 1500 ] || fail "$what took $elapsed ms"
}

rows_of large.cp290 >/dev/null
# Clicks alternate between two rows, so that no two make a double click.
row1=$(centre_of large.cp290 row 1)
row3=$(centre_of large.cp290 row 3)
settles "a first click" row1_current xdotool mousemove $row1 click 1
settles "Select All" all_visible_selected xdotool key ctrl+a
settles "a click after Select All" row3_current xdotool mousemove $row3 click 1
settles "Shift+End" last_row_selected xdotool key shift+End
settles "a click after Shift+End" row1_current xdotool key Home mousemove $row1 click 1
is_active large.cp290 || fail "selecting rows changed the document: $(active_title)"

no_rows() { [ "$(visible_rows)" -eq 0 ]; }
all_back_selected() { [ "$(visible_rows)" -gt 0 ] && all_visible_selected; }
settles "Select All again" all_visible_selected xdotool key ctrl+a
xdotool key ctrl+c
settles "Delete of every row" no_rows xdotool key Delete
settles "Ctrl+Z of the Delete" all_back_selected xdotool key ctrl+z
settles "Delete again" no_rows xdotool key Delete
settles "a paste of every module" all_back_selected xdotool key ctrl+v
last_module() { [ "$(awk -F'\t' '$2 == "row" && $3 == 21989' "$work/map" | cut -f9)" = "Module 2000" ]; }
xdotool key ctrl+End
wait_map "the last pasted module at its row" last_module
xdotool key ctrl+q
discard_changes
expect_exit_status 0
