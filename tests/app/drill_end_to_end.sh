#!/usr/bin/env bash
# Runs the built program on a bare X server (no window manager) on a copy of the sample cards,
# types a card's name as a child would and checks the screen for the red ○.
#   drill_end_to_end.sh TAPOMI SAMPLES_FOLDER SCREEN_CHECK
set -euo pipefail

tapomi=$1
samples=$2
check=$3

if [[ -z "${DISPLAY_FOR_TEST:-}" ]]; then
  # Re-run inside a fresh X server; -a picks a free display number.
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" env DISPLAY_FOR_TEST=1 "$0" "$@"
fi

work=$(mktemp -d)
program=
cleanup() {
  if [[ -n "$program" ]] && kill -0 "$program" 2>/dev/null; then
    kill "$program" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# One card, so that the deck's shuffle cannot change which word is asked for: でんしゃ takes an
# ordinary kana, the voiced mark, ん, and a small ゃ.
mkdir "$work/cards"
cp "$samples/でんしゃ.gif" "$work/cards/"
cd "$work"

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

# で (w, then @ for the voiced mark), ん (y), し (d), ゃ ('). Each try first clears the line; a
# try that started while the prompt was still spoken is judged wrong and simply repeated.
for attempt in $(seq 1 10); do
  xdotool key --delay 250 BackSpace BackSpace BackSpace BackSpace BackSpace
  xdotool type --delay 250 "w@yd'"
  xdotool key Return
  for poll in $(seq 1 20); do
    sleep 0.1
    shot judged
    if "$check" mark "$work/judged.png"; then
      echo "end-to-end: the ○ mark is on screen after try $attempt"
      xdotool key Escape
      for wait in $(seq 1 50); do
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
      done
      if kill -0 "$program" 2>/dev/null; then
        fail "Esc did not end the program"
      fi
      status=0
      wait "$program" || status=$?
      program=
      [[ $status -eq 0 ]] || fail "the program ended with status $status"
      exit 0
    fi
  done
  # Let the feedback pass before the next try.
  sleep 1.5
done
fail "the ○ mark never appeared"
