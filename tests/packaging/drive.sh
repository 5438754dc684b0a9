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

# Waits up to 10 s until process $1 (any, when empty) shows $2 windows titled "Huevox".
wait_huevox_windows() {
  local i pid=()
  if [[ -n "$1" ]]; then pid=(--pid "$1"); fi
  for ((i = 0; i < 100; i++)); do
    (($(xdotool search --all --onlyvisible "${pid[@]}" --name '^Huevox$' 2>/dev/null | wc -l) == $2)) &&
      return 0
    sleep 0.1
  done
  fail "expected $2 windows titled Huevox"
}

# Answers the input box of process $1 with the name $3, waits for the preset
# file in folder $2, and closes the message that follows.
answer_save() {
  local i
  wait_huevox_windows "$1" 2
  sleep 0.3
  xdotool type --delay 20 "$3"
  xdotool key Return
  for ((i = 0; i < 100; i++)); do [[ -f "$2/$3.ini" ]] && break; sleep 0.1; done
  [[ -f "$2/$3.ini" ]] || fail "no $3.ini in $2"
  wait_huevox_windows "$1" 2
  sleep 0.3
  xdotool key Return
  wait_huevox_windows "$1" 1
}

# Through the splash of process $1 to its main window; sets x and y to the
# main window's client area, inside the frame.
through_the_splash() {
  local splash main
  splash=$(window_of "$1" Form3 15) || fail "no splash"
  sleep 1.5  # the fade-in
  eval "$(xdotool getwindowgeometry --shell "$splash")"
  click_at $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) 2
  main=$(window_of "$1" Huevox 10) || fail "no main window after the splash"
  eval "$(xdotool getwindowgeometry --shell "$main")"
  x=$((X + 3)) y=$((Y + 3))
}

# Through the splash to the main window of process $1; then saves a preset
# with a font colour of its own, changes the colour, loads the preset and
# saves it again: both files in folder $2 must hold the same setting.
save_preset_and_load_it_back() {
  local pid=$1 folder=$2 x y
  through_the_splash "$pid"
  [[ -f "$folder/Classic.ini" ]] || fail "the samples are not in $folder"

  click_at $((x + 36)) $((y + 49)); xdotool key ctrl+a; xdotool type ABCDEF     # Text2
  click_at $((x + 128)) $((y + 144)); answer_save "$pid" "$folder" "Zz Mine"     # Picture4
  click_at $((x + 36)) $((y + 49)); xdotool key ctrl+a; xdotool type 123456
  click_at $((x + 24)) $((y + 144))                                              # Picture7
  sleep 0.3
  click_at $((x + 30)) $((y + 215)); xdotool key End                             # List2
  click_at $((x + 172)) $((y + 224))                                             # Picture11
  click_at $((x + 128)) $((y + 144)); answer_save "$pid" "$folder" Again
  grep -q '^FONTCOLOR=ABCDEF' "$folder/Again.ini" || fail "the preset did not load back"
  cmp -s "$folder/Zz Mine.ini" "$folder/Again.ini" || fail "loaded setting differs"
}
