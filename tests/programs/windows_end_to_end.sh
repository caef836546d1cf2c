#!/usr/bin/env bash
# The Windows installer as a teacher's PC meets it, under wine on a bare X server: installed with
# msiexec /qn into a fresh prefix, for the user and with the Start-menu entry. The installed
# tapomi.exe then drills りんご typed as a child would (l, y, b, @) until the red ○ is on screen,
# the kana are heard (found in SDL's disk-driver output), and Esc ends it with status 0. On the
# whole sample folder it writes the same selection file, byte for byte, as the Linux program.
# Then the teacher's side through the installed launcher: a child added, the drill started for
# that child, one answer recorded under %LOCALAPPDATA%\tapomi, and the record exported as CSV
# and PDF.
#   windows_end_to_end.sh MSI LINUX_TAPOMI SAMPLES_FOLDER SCREEN_CHECK
set -euo pipefail

# Made absolute: the script works in other folders than the one it was started from.
msi=$(realpath "$1")
linux_tapomi=$(realpath "$2")
samples=$(realpath "$3")
check=$(realpath "$4")

source "$(dirname "$0")/fresh_x_server.sh" 1366x768 "$@"

fail() {
  echo "windows: $*" >&2
  [[ -f "$work/program.log" ]] && cat "$work/program.log" >&2
  exit 1
}

export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine reads the names on its command line (はなこ, Z:...りんご.jpg) in the locale's character set.
export LC_ALL=C.UTF-8
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
# The server and the prefix first, with their output apart: a server started inside a pipe that
# the caller waits on keeps it open.
mkdir -p "$WINEPREFIX"
wineserver -p >"$work/wineserver.log" 2>&1
run=$work/run
reader=
# The pipe's reader waits in cat for the next writer: both go.
stop_reader() {
  rm -f "$run/sdlaudio.raw"
  if [[ -n "$reader" ]]; then
    pkill -P "$reader" 2>/dev/null || true
    kill "$reader" 2>/dev/null || true
    reader=
  fi
}
stop_wine() { stop_reader; wineserver -k >/dev/null 2>&1 || true; cleanup; }
trap stop_wine EXIT
"$wine" wineboot --init >>"$work/wineserver.log" 2>&1
# A crash writes its backtrace into the program's log and ends it, instead of a dialog that
# waits for a click on a screen nobody sees.
"$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
  >>"$work/wineserver.log" 2>&1

# Installed as the user, into the user's own folders.
"$wine" msiexec /qn /i "Z:$msi" >"$work/msiexec.log" 2>&1 || fail "msiexec failed"
user_folder=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData | grep -v /Public/ | head -n 1)
installed=$user_folder/Local/Programs/tapomi
[[ -f "$installed/bin/tapomi.exe" && -f "$installed/bin/tapomi-launcher.exe" ]] \
  || fail "the programs are not in $installed"
[[ -f "$installed/share/tapomi/samples/りんご.jpg" ]] || fail "the sample cards lost their names"
[[ -f "$user_folder/Roaming/Microsoft/Windows/Start Menu/Programs/タポミ.lnk" ]] \
  || fail "no Start-menu entry タポミ"
echo "windows: installed per user with its Start-menu entry"

# The drill runs in a working folder with the kana sounds, as the launcher starts it; here each
# sound is a distinct tone, so that it can be found again in what the sound device was given.
run=$work/run
mkdir -p "$run" "$work/cards"
cp "$installed/share/tapomi/O.txt" "$run/"
tone=600
for kana in り ん こ ご; do
  sox -n -r 48000 -c 1 -b 16 -e signed-integer "$run/$kana.wav" synth 0.3 sine $tone vol 0.3
  tone=$((tone + 150))
done
cp "$samples/りんご.jpg" "$work/cards/"

# The drill opens the sound device afresh after a quiet spell, and the disk driver then starts
# its file again: the file is a pipe whose reader keeps everything the device was given.
mkfifo "$run/sdlaudio.raw"
(while [[ -p "$run/sdlaudio.raw" ]]; do cat "$run/sdlaudio.raw" >>"$work/heard.raw"; done) &
reader=$!
cd "$run"
# SDL's disk driver writes sdlaudio.raw in the working folder: the SDL_DISKAUDIOFILE that would
# name another file does not reach it under wine.
export SDL_AUDIODRIVER=disk SDL_DISKAUDIODELAY=0
"$wine" "$installed/bin/tapomi.exe" "Z:$work/cards" >"$work/program.log" 2>&1 &
program=$!

shot() { import -window root "$work/$1.png"; }

# Types りんご and Enter until the ○ is on screen: keys typed while the prompt is spoken are not
# taken, and the voice is slow to start under wine.
type_until_right() {
  local attempt poll
  for attempt in $(seq 1 10); do
    xdotool key --delay 300 BackSpace BackSpace BackSpace BackSpace
    xdotool type --delay 400 "lyb@"
    xdotool key Return
    for poll in $(seq 1 30); do
      sleep 0.1
      shot judged
      if "$check" mark "$work/judged.png"; then
        echo "windows: the ○ mark is on screen in $1 after try $attempt"
        return 0
      fi
    done
    sleep 2
  done
  fail "the ○ mark never appeared in $1"
}

for attempt in $(seq 1 120); do
  shot setup
  "$check" setup "$work/setup.png" >/dev/null && break
  ((attempt < 120)) || fail "the set-up picture is not on screen"
  sleep 0.5
done
focus_window '^Form1$' 20 || fail "the drill window cannot take the keys"
xdotool key Return

type_until_right "the drill"


# Esc ends the drill, and with it what started it: in 10 s, with status 0.
end_with_escape() {
  local wait status=0
  xdotool key Escape
  for wait in $(seq 1 100); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$program" 2>/dev/null && fail "Esc did not end $1"
  wait "$program" || status=$?
  program=
  [[ $status -eq 0 ]] || fail "$1 ended with status $status after Esc"
  echo "windows: Esc ended $1 with status 0"
}

end_with_escape "the drill"
stop_reader

# The whole sample folder on both systems: the selection file each writes at its first start.
mkdir "$work/linux" "$work/windows"
cp "$samples"/*.jpg "$samples"/*.gif "$samples"/*.bmp "$work/linux/"
cp "$samples"/*.jpg "$samples"/*.gif "$samples"/*.bmp "$work/windows/"
first_start() {
  local name=$1
  shift
  "$@" >"$work/program.log" 2>&1 &
  program=$!
  for wait in $(seq 1 200); do
    [[ -s "$work/$name/Fname.txt" ]] && break
    sleep 0.1
  done
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  program=
  [[ -s "$work/$name/Fname.txt" ]] || fail "the $name program wrote no selection file"
}
(cd "$run" && SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb first_start linux "$linux_tapomi" "$work/linux")
first_start windows "$wine" "$installed/bin/tapomi.exe" "Z:$work/windows"
cmp "$work/linux/Fname.txt" "$work/windows/Fname.txt" \
  || fail "the selection files differ: $(od -c "$work/windows/Fname.txt" | head -5)"
echo "windows: the selection file is the Linux program's, byte for byte"

# Each kana typed was heard: its tone's samples are in the device's output as they are.
python3 - "$work/heard.raw" "$run"/り.wav "$run"/ん.wav "$run"/ご.wav <<'EOF' \
  || fail "a typed kana was not heard"
import sys, wave
heard = open(sys.argv[1], "rb").read()
for sound in sys.argv[2:]:
    with wave.open(sound) as w:
        samples = w.readframes(w.getnframes())
    # A stretch from the middle of the sound: the device may start or stop it between buffers.
    middle = samples[len(samples) // 3: len(samples) // 3 + 2000]
    if middle not in heard:
        sys.exit("not heard: " + sound)
EOF
echo "windows: り, ん and ご were heard"

# The teacher's side. The working folder counts as prepared, so no sounds are made first.
launcher=$installed/bin/tapomi-launcher.exe
data=$user_folder/Local/tapomi
mkdir -p "$data"
touch "$data/.tapomi-prepared"
printf '#TRUE#,#TRUE#,#FALSE#,#FALSE#,1\r\n' >"$work/cards/tapomi.txt"
timeout 60 "$wine" "$launcher" --add-child はなこ >"$work/program.log" 2>&1 || fail "--add-child"
[[ -f "$data/records.sqlite" ]] || fail "--add-child made no record in $data"

(cd "$run" && SDL_AUDIODRIVER=dummy "$wine" "$launcher" --child はなこ "Z:$work/cards") \
  >"$work/program.log" 2>&1 &
program=$!
focus_window '^Form1$' 60 || fail "the drill did not appear for はなこ"
type_until_right "はなこ's drill"
end_with_escape "the launcher with はなこ's drill"

timeout 60 "$wine" "$launcher" --export-csv はなこ "Z:$work/はなこ.csv" >"$work/program.log" 2>&1 \
  || fail "--export-csv"
tail -c +4 "$work/はなこ.csv" | tr -d '\r' | tail -n +2 | cut -d, -f3-5 | grep -qx 'りんご,りんご,○' \
  || fail "the CSV lacks the right answer: $(cat "$work/はなこ.csv")"
timeout 60 "$wine" "$launcher" --export-pdf はなこ "Z:$work/はなこ.pdf" >"$work/program.log" 2>&1 \
  || fail "--export-pdf"
pdftotext "$work/はなこ.pdf" "$work/pdf.txt"
grep -qF "はなこさん" "$work/pdf.txt" || fail "the PDF does not name the child"
echo "windows: はなこ's answer was recorded and exported as CSV and PDF"
