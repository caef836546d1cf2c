#!/usr/bin/env bash
# Runs the built program on a bare X server (no window manager) at the shape of the most common
# school laptop, on a copy of the sample cards. A wrong word first: while its long buzzer holds
# the program, the red Ｘ must already be on screen, whole and over the word line. Then the
# card's name typed as a child would, and the red ○.
#   drill_end_to_end.sh TAPOMI SAMPLES_FOLDER SCREEN_CHECK
set -euo pipefail

tapomi=$1
samples=$2
check=$3

source "$(dirname "$0")/fresh_x_server.sh" 1366x768 "$@"

# One card, so that the deck's shuffle cannot change which word is asked for: でんしゃ takes an
# ordinary kana, the voiced mark, ん, and a small ゃ.
mkdir "$work/cards"
cp "$samples/でんしゃ.gif" "$work/cards/"
cd "$work"
# A buzzer long enough to look at the screen while it plays; the dummy audio driver plays it in
# real time.
sox -n -r 22050 -c 1 -b 16 "$work/ブー.wav" synth 4 square 220 vol 0.2

export QT_QPA_PLATFORM=xcb
export SDL_AUDIODRIVER=dummy
"$tapomi" "$work/cards" >"$work/program.log" 2>&1 &
program=$!

fail() {
  echo "end-to-end: $*" >&2
  cat "$work/program.log" >&2 || true
  exit 1
}

shot() {
  import -window root "$work/$1.png"
}

# Waits for the drill window to be on screen.
timeout 20 xdotool search --sync --name '^Form1$' >/dev/null || fail "the drill window did not appear"

# The set-up picture covers the window until Enter.
for attempt in $(seq 1 50); do
  shot setup
  if "$check" setup "$work/setup.png" >/dev/null; then
    break
  fi
  ((attempt < 50)) || fail "the set-up picture is not on screen"
  sleep 0.1
done
xdotool key Return

# て (w) alone is wrong. Keys typed while the prompt is still spoken are not taken: て is typed
# until it shows in the word line, so that the Enter after it is judged at once.
typing_open=
for attempt in $(seq 1 40); do
  # Each key after the key guard of the one before has run out.
  xdotool key --delay 400 BackSpace w
  sleep 0.4
  shot typed
  if "$check" echo "$work/typed.png" >/dev/null; then
    typing_open=yes
    break
  fi
done
[[ -n "$typing_open" ]] || fail "typed kana never showed in the word line"
xdotool key Return
# The buzzer holds the program for 4 s: the screen shows only what was painted before it.
sleep 0.8
shot buzzer
"$check" cross-over-word "$work/buzzer.png" \
  || fail "while the buzzer plays the Ｘ is not on screen, whole and over the word line"
echo "end-to-end: the Ｘ is over the word line while the buzzer plays"
# The buzzer, the spoken sentence and the card again.
sleep 5

# で (w, then @ for the voiced mark), ん (y), し (d), ゃ ('). Each try first clears the line; a
# try that started while the prompt was still spoken is judged wrong and simply repeated.
judged_right=
for attempt in $(seq 1 10); do
  xdotool key --delay 250 BackSpace BackSpace BackSpace BackSpace BackSpace
  xdotool type --delay 250 "w@yd'"
  xdotool key Return
  for poll in $(seq 1 20); do
    sleep 0.1
    shot judged
    if "$check" mark "$work/judged.png"; then
      echo "end-to-end: the ○ mark is on screen after try $attempt"
      judged_right=yes
      break 2
    fi
  done
  # Let the feedback pass before the next try.
  sleep 1.5
done
[[ -n "$judged_right" ]] || fail "the ○ mark never appeared"

# Esc ends the program at once, with a zero status.
xdotool key Escape
for wait in $(seq 1 50); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$program" 2>/dev/null && fail "Esc did not end the program"
status=0
wait "$program" || status=$?
program=
[[ $status -eq 0 ]] || fail "the program ended with status $status after Esc"

# A folder without pictures: the warning box, then the program ends with a failure status.
mkdir "$work/empty"
"$tapomi" "$work/empty" >"$work/program.log" 2>&1 &
program=$!
timeout 20 xdotool search --sync --name '^タポミ$' >/dev/null || fail "no warning for an empty folder"
xdotool key Return
status=0
wait "$program" || status=$?
program=
[[ $status -ne 0 ]] || fail "the program ended with status 0 on an empty folder"
echo "end-to-end: an empty folder is refused with status $status"
