#!/usr/bin/env bash
# The launcher's options as a teacher's script uses them, on a bare X server: a child added
# without a display, the drill started for that child on one card, five answers typed through
# the real window (right and wrong, first tries and tries again), Esc, and then the record
# exported as CSV (checked row by row) and as PDF (its text read back), both without a display.
# Refusals come first: an unknown child, a missing folder and an unwritable file each get a
# message and a failure status, and asking about a child never makes the record.
#   teacher_end_to_end.sh LAUNCHER SAMPLES_FOLDER SCREEN_CHECK
set -euo pipefail

launcher=$1
samples=$2
check=$3

source "$(dirname "$0")/fresh_x_server.sh" 1366x768 "$@"

export HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config
mkdir -p "$HOME"
unset TAPOMI_CHILD TAPOMI_RECORDS
data=$XDG_DATA_HOME/tapomi
records=$data/records.sqlite

fail() {
  echo "teacher end-to-end: $*" >&2
  [[ -f "$work/program.log" ]] && cat "$work/program.log" >&2
  exit 1
}

# Runs the launcher without a display; it must fail and say the given words on standard error.
refused() {
  local words=$1
  shift
  local status=0
  env -u DISPLAY "$launcher" "$@" >"$work/out.txt" 2>"$work/err.txt" || status=$?
  ((status != 0)) || fail "tapomi-launcher $* did not fail"
  grep -qF -- "$words" "$work/err.txt" || { cat "$work/err.txt" >&2; fail "tapomi-launcher $* did not say: $words"; }
}

# One card, so that the drill's shuffle cannot change which word is asked for; the ordinary
# keyboard (り l, ん y, こ b, the voiced mark @) and no set-up picture.
cards=$work/cards
mkdir "$cards"
cp "$samples/りんご.jpg" "$cards/"
printf '#TRUE#,#TRUE#,#FALSE#,#FALSE#,1\r\n' >"$cards/tapomi.txt"
# The working directory counts as prepared: no sounds are made, and missing sounds are silent.
mkdir -p "$data"
touch "$data/.tapomi-prepared"

refused "「はなこ」という子どもは登録されていません" --export-csv はなこ "$work/early.csv"
refused "「はなこ」という子どもは登録されていません" --child はなこ "$cards"
[[ ! -e $records ]] || fail "asking about an unknown child made the record"
[[ ! -e $work/early.csv ]] || fail "a CSV was written for an unknown child"
refused "使い方" --add-child
refused "知らない指定です" --kid はなこ

env -u DISPLAY "$launcher" --add-child はなこ >"$work/out.txt" 2>&1 || { cat "$work/out.txt" >&2; fail "--add-child"; }
[[ -f $records ]] || fail "--add-child made no record"
refused "はなこ" --add-child はなこ
refused "登録されていません" --export-pdf たろう "$work/taro.pdf"
refused "見つかりません" --child はなこ "$work/gone"
refused "まだ決まっていません" --child はなこ
refused "no such folder/out.csv" --export-csv はなこ "$work/no such folder/out.csv"
[[ ! -e "$work/no such folder" ]] || fail "an export made a folder"
# An export onto the record, by its name or a link to it, is refused and changes nothing.
cp "$records" "$work/records.before"
ln -s "$records" "$work/link.csv"
refused "記録のファイル" --export-csv はなこ "$records"
refused "記録のファイル" --export-pdf はなこ "$records"
refused "記録のファイル" --export-csv はなこ "$work/link.csv"
cmp -s "$records" "$work/records.before" || fail "an export onto the record changed it"

export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
"$launcher" --child はなこ "$cards" >"$work/program.log" 2>&1 &
program=$!
timeout 30 xdotool search --sync --name '^Form1$' >/dev/null || fail "the drill did not appear"
[[ $(readlink "/proc/$program/exe") == */tapomi ]] || fail "the launcher did not become the drill"
tr '\0' '\n' <"/proc/$program/environ" | grep -qx "TAPOMI_RECORDS=$records" \
  || fail "the drill was not told where the record is"

shot() {
  import -window root "$work/$1.png"
}

# Waits until the screen shows the mark given: 0 for ○, 2 for Ｘ, 1 for none.
await_mark() {
  local want=$1 seen
  for poll in $(seq 1 150); do
    shot mark
    seen=0
    "$check" mark "$work/mark.png" >/dev/null || seen=$?
    ((seen == want)) && return 0
    sleep 0.1
  done
  fail "the mark never became $want (last $seen)"
}

# Types one answer. Keys are not taken while the prompt is spoken, so the first kana is typed
# until it shows in the word line; the rest follow, then Enter, and the mark is awaited and then
# its going, which presents the card again.
answer() {
  local first=$1 rest=$2 mark=$3
  local open=
  for attempt in $(seq 1 60); do
    xdotool key --delay 300 BackSpace "$first"
    sleep 0.3
    shot typed
    if "$check" echo "$work/typed.png" >/dev/null; then
      open=yes
      break
    fi
  done
  [[ -n $open ]] || fail "typed kana never showed in the word line"
  [[ -z $rest ]] || xdotool type --delay 300 "$rest"
  sleep 0.3
  xdotool key Return
  await_mark "$mark"
  await_mark 1
}

answer l yb 2     # りんこ: wrong, the first try
answer l yb@ 0    # りんご: right, a try again
answer l yb@ 0    # りんご: right, the first try at the next presentation
answer l b@ 2     # りご: wrong, the first try
answer l yb@ 0    # りんご: right, a try again
echo "teacher end-to-end: five answers judged"

xdotool key Escape
status=0
wait "$program" || status=$?
program=
[[ $status -eq 0 ]] || fail "the drill ended with status $status after Esc"

# The CSV: a byte-order mark, the Japanese header, then one row per Enter in order.
env -u DISPLAY "$launcher" --export-csv はなこ "$work/はなこ.csv" 2>"$work/err.txt" \
  || { cat "$work/err.txt" >&2; fail "--export-csv"; }
[[ $(head -c 3 "$work/はなこ.csv" | od -An -tx1 | tr -d ' ') == efbbbf ]] || fail "the CSV has no byte-order mark"
tail -c +4 "$work/はなこ.csv" | tr -d '\r' >"$work/rows.csv"
[[ $(head -n 1 "$work/rows.csv") == 日時,フォルダー,ことば,入力,正誤,1回目,* ]] || fail "the CSV's header: $(head -n 1 "$work/rows.csv")"
expected="$cards,りんご,りんこ,×,はい
$cards,りんご,りんご,○,いいえ
$cards,りんご,りんご,○,はい
$cards,りんご,りご,×,はい
$cards,りんご,りんご,○,いいえ"
actual=$(tail -n +2 "$work/rows.csv" | cut -d, -f2-6)
[[ $actual == "$expected" ]] || fail "the CSV's rows:
$actual
expected:
$expected"
tail -n +2 "$work/rows.csv" | cut -d, -f12 | sort -u | grep -qx 'JISかな' || fail "the keyboard column"
echo "teacher end-to-end: the CSV holds the five answers"

# The PDF, made without a display, with the Japanese text in it.
env -u DISPLAY -u QT_QPA_PLATFORM "$launcher" --export-pdf はなこ "$work/はなこ.pdf" 2>"$work/err.txt" \
  || { cat "$work/err.txt" >&2; fail "--export-pdf"; }
pdftotext -layout "$work/はなこ.pdf" "$work/pdf.txt"
[[ $(pdfinfo "$work/はなこ.pdf" | awk '/^Pages:/ { print $2 }') == 1 ]] || fail "the PDF is not one page"
pdffonts "$work/はなこ.pdf" | tail -n +3 | awk '{ print $(NF-4) }' | grep -qv yes \
  && fail "a font of the PDF is not embedded"
for words in "はなこさん" "練習した日" "1日" "ためしたカード" "3枚" "まちがえやすいかな" "ご→こ"; do
  grep -qF "$words" "$work/pdf.txt" || { cat "$work/pdf.txt" >&2; fail "the PDF lacks $words"; }
done
# りご misses ん; when the drill discarded keys while that card was up (the first kana is typed
# until the prompt has ended), the missing kana is said apart instead of counted.
grep -qF "ん→（なし）" "$work/pdf.txt" || grep -qF "数えていません" "$work/pdf.txt" \
  || { cat "$work/pdf.txt" >&2; fail "the PDF lacks the missing ん"; }
echo "teacher end-to-end: the PDF names the child, the figures and the slips"

# A name as long as the record takes stands whole on the first line of the PDF, with the title.
long=髙髙髙髙髙髙髙髙髙髙髙髙髙髙髙髙髙髙髙髙
env -u DISPLAY "$launcher" --add-child "$long" >"$work/out.txt" 2>&1 || { cat "$work/out.txt" >&2; fail "--add-child $long"; }
env -u DISPLAY -u QT_QPA_PLATFORM "$launcher" --export-pdf "$long" "$work/long.pdf" 2>"$work/err.txt" \
  || { cat "$work/err.txt" >&2; fail "--export-pdf $long"; }
pdftotext -layout "$work/long.pdf" "$work/long.txt"
title=$(head -n 1 "$work/long.txt")
[[ $title == "${long}さん"*練習の記録* ]] || { cat "$work/long.txt" >&2; fail "the PDF's title is cut or broken: $title"; }
echo "teacher end-to-end: exports onto the record refused, the longest name whole in the PDF"
