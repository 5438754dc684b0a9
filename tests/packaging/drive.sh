# Driving the real program from outside, as a user does, with xdotool.
fail() { echo "FAIL: $*" >&2; exit 1; }

# The visible window of process $1 (any, when empty) titled exactly $2,
# waited for up to $3 s.
window_of() {
  local i window pid=()
  if [[ -n "$1" ]]; then pid=(--pid "$1"); fi
  for ((i = 0; i < ${3:-10} * 10; i++)); do
    window=$(xdotool search --all --onlyvisible "${pid[@]}" --name "^$2\$" 2>/dev/null | head -n1)
    if [[ -n "$window" ]]; then echo "$window"; return 0; fi
    sleep 0.1
  done
  return 1
}

# Clicks (count $3, default 1) at $1,$2 on the screen.
click_at() { xdotool mousemove --sync "$1" "$2" click --repeat "${3:-1}" --delay 80 1; }

# Answers the input box with $1 and the message that follows with Return.
answer_save() {
  sleep 0.7
  xdotool type --delay 20 "$1"
  xdotool key Return
  sleep 0.7
  xdotool key Return
  sleep 0.5
}

# Through the splash to the main window of process $1; then saves a preset
# with a font colour of its own, changes the colour, loads the preset and
# saves it again: both files in folder $2 must hold the same setting.
save_preset_and_load_it_back() {
  local pid=$1 folder=$2 splash main x y
  splash=$(window_of "$pid" Form3 15) || fail "no splash"
  sleep 1.5  # the fade-in
  eval "$(xdotool getwindowgeometry --shell "$splash")"
  click_at $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) 2
  main=$(window_of "$pid" Huevox 10) || fail "no main window after the splash"
  eval "$(xdotool getwindowgeometry --shell "$main")"
  x=$((X + 3)) y=$((Y + 3))  # the client area, inside the frame
  [[ -f "$folder/Classic.ini" ]] || fail "the samples are not in $folder"

  click_at $((x + 36)) $((y + 49)); xdotool key ctrl+a; xdotool type ABCDEF     # Text2
  click_at $((x + 128)) $((y + 144)); answer_save "Zz Mine"                      # Picture4
  [[ -f "$folder/Zz Mine.ini" ]] || fail "no Zz Mine.ini in $folder"
  click_at $((x + 36)) $((y + 49)); xdotool key ctrl+a; xdotool type 123456
  click_at $((x + 24)) $((y + 144))                                              # Picture7
  sleep 0.3
  click_at $((x + 30)) $((y + 215)); xdotool key End                             # List2
  click_at $((x + 172)) $((y + 224))                                             # Picture11
  click_at $((x + 128)) $((y + 144)); answer_save "Again"
  grep -q '^FONTCOLOR=ABCDEF' "$folder/Again.ini" || fail "the preset did not load back"
  cmp -s "$folder/Zz Mine.ini" "$folder/Again.ini" || fail "loaded setting differs"
}
