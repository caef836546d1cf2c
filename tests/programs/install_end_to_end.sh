#!/usr/bin/env bash
# The Debian package installed on a clean system of its release, as a teacher installs it, and
# removed again. Installs and removes packages, so it runs only inside a throw-away system
# (scripts/install-check-debian), as root, with the other end-to-end scripts beside it.
# - apt installs the package from the file with its dependencies alone (no recommended package):
#   every library a program links or opens is then there, and the voice pack speaks with the
#   installed voice and dictionary.
# - Then, with the tools the checks need: the installed drill judges a typed word (the mark on
#   screen, drill_end_to_end.sh); the launcher adds a child, records that child's drill and
#   exports it (teacher_end_to_end.sh); the menu entry, under its id and under its first name,
#   prepares an ordinary user's working directory and opens the teacher's window.
# - apt remove takes the programs and leaves every file of that user's.
#   install_end_to_end.sh DEB SCREEN_CHECK
set -euo pipefail

deb=$1
check=$2
here=$(cd "$(dirname "$0")" && pwd)

fail() {
  echo "install: $*" >&2
  exit 1
}
step() { echo "install: $*"; }

apt-get update -q >/dev/null
apt-get install -y -q --no-install-recommends "$deb" >/tmp/apt-install.log 2>&1 ||
  { cat /tmp/apt-install.log >&2; fail "apt could not install ${deb##*/} with its dependencies"; }
[[ $(dpkg-query -W -f='${Status}' tapomi) == "install ok installed" ]] || fail "tapomi is not installed"
step "${deb##*/} installed with $(grep -c '^Setting up' /tmp/apt-install.log) packages"

for program in tapomi tapomi-launcher tapomi-voicepack; do
  [[ -x /usr/bin/$program ]] || fail "no /usr/bin/$program"
  ldd "/usr/bin/$program" | grep -F 'not found' && fail "$program lacks a library"
done
for soname in libsqlite3.so.0 libSDL2-2.0.so.0 libespeak-ng.so.1 libmecab.so.2; do
  ldconfig -p | grep -qF "$soname " || fail "$soname, which the programs open, is not installed"
done
useradd --create-home --shell /bin/bash teacher
teacher_home=/home/teacher
# A teacher's programs need no network; one of their own keeps their X servers from meeting
# another system's of the same display number (their abstract sockets are the network's).
as_teacher() {
  unshare --net setpriv --reuid=teacher --regid=teacher --init-groups \
    env -i HOME=$teacher_home USER=teacher LANG=C.UTF-8 LC_ALL=C.UTF-8 PATH=/usr/bin:/bin "$@"
}
as_teacher tapomi-voicepack /tmp/sounds >/tmp/voicepack.log 2>&1 ||
  { cat /tmp/voicepack.log >&2; fail "the voice pack failed"; }
grep -qF "voice /usr/share/tapomi/voice/tohoku-f01-neutral.htsvoice" /tmp/voicepack.log ||
  { cat /tmp/voicepack.log >&2; fail "the voice pack did not speak with the installed voice"; }
[[ $(ls /tmp/sounds/*.wav | wc -l) -eq 78 ]] || fail "the voice pack made $(ls /tmp/sounds/*.wav | wc -l) sounds"
step "every library is there, and the voice pack made 78 sounds with the installed voice"

# The tools of the checks, only now: they must not be what made the package work.
apt-get install -y -q --no-install-recommends xvfb xauth xdotool imagemagick sox poppler-utils \
  >/tmp/apt-tools.log 2>&1 || { cat /tmp/apt-tools.log >&2; fail "the checks' tools"; }

# Each run's own lines, or all its output when it fails.
end_to_end() {
  local script=$1
  shift
  as_teacher bash "$here/$script" "$@" >"/tmp/$script.log" 2>&1 ||
    { cat "/tmp/$script.log" >&2; fail "$script failed on the installed programs"; }
  grep 'end-to-end:' "/tmp/$script.log"
}
end_to_end drill_end_to_end.sh /usr/bin/tapomi /usr/share/tapomi/samples "$check"
end_to_end teacher_end_to_end.sh /usr/bin/tapomi-launcher /usr/share/tapomi/samples "$check"

# The menu entries as a desktop starts them: the first start prepares the working directory,
# then the teacher's window opens; Ctrl+Q closes it.
for entry in io.github.tapomi.tapomi org.example.tapomi; do
  file=/usr/share/applications/$entry.desktop
  command=$(sed -n 's/^Exec=//p' "$file")
  [[ $command == tapomi-launcher ]] || fail "$entry.desktop runs $command"
  as_teacher xvfb-run -a -e /tmp/xvfb-menu.log -s "-screen 0 1366x768x24 -nolisten tcp" bash -c '
    export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
    '"$command"' >/tmp/launcher-$$.log 2>&1 &
    program=$!
    # The first start makes the kana sounds before the window opens.
    closed=
    for wait in $(seq 1 1200); do
      kill -0 $program 2>/dev/null || break
      for id in $(xdotool search --onlyvisible --name "^タポミ　先生の画面$" 2>/dev/null); do
        if timeout 5 xdotool windowfocus --sync "$id" key ctrl+q 2>/dev/null; then
          closed=yes
          break 2
        fi
      done
      sleep 0.1
    done
    status=0
    wait $program || status=$?
    [[ -n $closed && $status -eq 0 ]] || { cat /tmp/launcher-$$.log /tmp/xvfb-menu.log >&2; exit 1; }
  ' || fail "the menu entry $entry.desktop did not open the teacher's window"
done
data=$teacher_home/.local/share/tapomi
[[ -f $data/.tapomi-prepared && -f $data/O.txt && $(ls "$data"/*.wav | wc -l) -eq 78 ]] ||
  fail "the first start did not prepare $data"
step "the menu entry, under both names, prepared the working directory and opened the window"

# The teacher's files: a child in the record, and everything the first start made.
as_teacher tapomi-launcher --add-child たろう >/dev/null 2>&1 || fail "--add-child たろう"
[[ -f $data/records.sqlite ]] || fail "no record in $data"
(cd "$teacher_home" && find . -type f -exec sha256sum {} + | sort) >/tmp/teacher-before.txt
apt-get remove -y -q tapomi >/tmp/apt-remove.log 2>&1 || { cat /tmp/apt-remove.log >&2; fail "apt remove"; }
[[ ! -e /usr/bin/tapomi && ! -e /usr/bin/tapomi-launcher && ! -e /usr/share/tapomi ]] ||
  fail "apt remove left the programs or their data"
(cd "$teacher_home" && find . -type f -exec sha256sum {} + | sort) >/tmp/teacher-after.txt
diff /tmp/teacher-before.txt /tmp/teacher-after.txt >&2 || fail "apt remove changed the teacher's files"
step "apt remove took the programs and left the teacher's $(wc -l </tmp/teacher-after.txt) files as they were"
