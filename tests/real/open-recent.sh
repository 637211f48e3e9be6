# File > Open Recent: the documents opened last, the latest first; one that is gone by the time
# the menu opens has left it; choosing one opens it; a name with "&" shows it, and two documents
# of one name show their folders; Clear Menu empties the list.
. "$(dirname "$0")/session.sh"
start_display
returning_user
copy_sample house.cp290
copy_sample other.cp290
copy_sample third.cp290
printf 'Recent%%20Modules%%20Files=%s, %s\n' "$HOME/other.cp290" "$HOME/third.cp290" >>"$settings"
start_on "$HOME/house.cp290"

recent() { setting 'Recent%20Modules%20Files'; }
wait_until "the opened document to lead the list" 10 \
    test "$(recent)" = "$HOME/house.cp290, $HOME/other.cp290, $HOME/third.cp290"

rm "$HOME/third.cp290"
menu alt+f t
wait_until "the missing document to leave the list" 10 test "$(recent)" = "$HOME/house.cp290, $HOME/other.cp290"
xdotool key Down Return
activate other.cp290
wait_until "the opened document to lead the list" 10 test "$(recent)" = "$HOME/other.cp290, $HOME/house.cp290"

# Names as they are: an ampersand, and two documents of one name in two folders.
mkdir -p "$HOME/2025" "$HOME/2026"
for path in "$HOME/a&b.cp290" "$HOME/2025/doc12.cp290" "$HOME/2026/doc12.cp290"; do cp "$HOME/house.cp290" "$path"; done
printf 'Recent%%20Modules%%20Files=%s, %s, %s\n' "$HOME/a&b.cp290" "$HOME/2025/doc12.cp290" "$HOME/2026/doc12.cp290" >>"$settings"
quit_cleanly
start_on "$HOME/house.cp290"
menu alt+f t
for shown in "a&b.cp290" "doc12.cp290 — $HOME/2025" "doc12.cp290 — $HOME/2026"; do
    [ -n "$(menu_item "$shown")" ] || fail "Open Recent does not show \"$shown\": $(grep $'\titem\t' "$work/map" | cut -f3 | tr '\n' '|')"
done
xdotool key Escape Escape
menu alt+f t
xdotool key Up Return
wait_until "the list to be empty" 10 test -z "$(recent | tr -d '@Invalid()\"')"
quit_cleanly
