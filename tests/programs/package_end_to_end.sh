#!/usr/bin/env bash
# Makes the Debian package from the build tree and checks it as a teacher's computer would meet
# it, without installing it: the package tools' checks, then the programs extracted with
# dpkg-deb -x into a temporary folder. The voice pack finds the voice inside the extracted tree
# (and inside a staged install), the extracted drill passes the end-to-end run, and the extracted
# launcher prepares the working directory, opens the teacher's window and from it starts the drill
# without a child on the sample cards, coming back when it ends.
#   package_end_to_end.sh CPACK CMAKE BUILD_DIR DRILL_END_TO_END SCREEN_CHECK
set -euo pipefail

cpack=$1
cmake=$2
build=$3
drill_end_to_end=$4
check=$5

source "$(dirname "$0")/fresh_x_server.sh" 1024x768 "$@"

fail() {
  echo "package: $*" >&2
  exit 1
}

# The package, as scripts/package makes it.
(cd "$build" && "$cpack" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) \
  || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$work"/out/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
# The libraries by the names of this release's packages that hold them: the linked Qt, and those
# the programs open themselves.
needed_packages=(open-jtalk open-jtalk-mecab-naist-jdic espeak-ng-data mecab-ipadic-utf8
  fonts-ipafont-gothic qt6-translations-l10n qt6-image-formats-plugins)
for soname in libQt6Widgets.so.6 libSDL2-2.0.so.0 libespeak-ng.so.1 libmecab.so.2 libsqlite3.so.0; do
  needed_packages+=("$(dpkg-query -S "*/$soname" | head -n 1 | cut -d: -f1)")
done
for needed in "${needed_packages[@]}"; do
  [[ ", $depends," == *", $needed"[\ ,]* ]] || fail "Depends lacks $needed: $depends"
done
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log" >&2; fail "lintian"; }
fi

usr=$work/root/usr
dpkg-deb -x "$deb" "$work/root"
for file in bin/tapomi bin/tapomi-launcher bin/tapomi-voicepack share/tapomi/O.txt \
  share/tapomi/samples/LICENSE.txt share/tapomi/voice/COPYRIGHT-tohoku-f01.txt \
  share/doc/tapomi/changelog.gz share/man/man1/tapomi-launcher.1.gz; do
  [[ -f "$usr/$file" ]] || fail "the package lacks $file"
done
for side in 32 48 64 128 256; do
  size=$(identify -format '%wx%h' "$usr/share/icons/hicolor/${side}x${side}/apps/tapomi.png")
  [[ $size == "${side}x${side}" ]] || fail "the ${side}-pixel icon is $size"
done
copyright=$usr/share/doc/tapomi/copyright
for licence in "License: GPL-3.0-or-later" "/usr/share/common-licenses/GPL-3" "License: CC-BY-4.0" \
  "License: CC0-1.0" "tohoku-f01"; do
  grep -qF "$licence" "$copyright" || fail "the copyright file does not name $licence"
done

# The menu entry under the id desktops know the program by, and under its first name, hidden,
# for what still names that.
desktop=$usr/share/applications/io.github.tapomi.tapomi.desktop
old_desktop=$usr/share/applications/org.example.tapomi.desktop
grep -qx 'Exec=tapomi-launcher' "$desktop" || fail "the menu entry does not start the launcher"
grep -qx 'NoDisplay=true' "$desktop" && fail "the menu entry is hidden"
grep -qx 'Exec=tapomi-launcher' "$old_desktop" || fail "the entry's first name does not start the launcher"
grep -qx 'NoDisplay=true' "$old_desktop" || fail "the entry's first name shows in the menu beside it"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" "$old_desktop" || fail "desktop-file-validate"
fi
metainfo=$usr/share/metainfo/io.github.tapomi.tapomi.metainfo.xml
grep -qF '<launchable type="desktop-id">io.github.tapomi.tapomi.desktop</launchable>' "$metainfo" \
  || fail "the metainfo does not launch the menu entry"
grep -qF tohoku-f01 "$metainfo" || fail "the metainfo does not credit the voice"
grep -qF '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" || fail "the metainfo's licence"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 \
    || { cat "$work/appstream.log" >&2; fail "appstreamcli validate"; }
fi

# Each program finds the voice beside itself: in the extracted package, and in a staged install.
unset TAPOMI_HTSVOICE
"$usr/bin/tapomi-voicepack" "$work/sounds" >"$work/voicepack.log" 2>&1 || { cat "$work/voicepack.log" >&2; fail "voice pack"; }
grep -qF "voice $usr/share/tapomi/voice/tohoku-f01-neutral.htsvoice" "$work/voicepack.log" \
  || { cat "$work/voicepack.log" >&2; fail "the extracted voice pack did not use the extracted voice"; }
"$cmake" --install "$build" --prefix "$work/stage" >/dev/null
"$work/stage/bin/tapomi-voicepack" "$work/sounds" >"$work/voicepack.log" 2>&1
grep -qF "voice $work/stage/share/tapomi/voice/tohoku-f01-neutral.htsvoice" "$work/voicepack.log" \
  || { cat "$work/voicepack.log" >&2; fail "the staged voice pack did not use the staged voice"; }
grep -qF "0 written, 78 kept" "$work/voicepack.log" || fail "the voice pack replaced files"

# The extracted drill, end to end.
bash "$drill_end_to_end" "$usr/bin/tapomi" "$usr/share/tapomi/samples" "$check"

# The extracted launcher as the menu starts it, on a first run.
export HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config
mkdir -p "$HOME"
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
"$usr/bin/tapomi-launcher" >"$work/launcher.log" 2>&1 &
program=$!
data=$XDG_DATA_HOME/tapomi
teacher='^タポミ　先生の画面$'
focus_window "$teacher" 60 || { cat "$work/launcher.log" >&2; fail "the teacher's window did not appear"; }
[[ $(ls "$data"/*.wav | wc -l) -eq 78 && -f "$data/O.txt" && -f "$data/.tapomi-prepared" ]] \
  || fail "the working directory was not prepared"
# With no child yet the practice without a record has the focus; its folder dialog offers the
# sample cards, which Enter takes.
xdotool key space
focus_window '^絵カードのフォルダーをえらんでください$' 20 || { cat "$work/launcher.log" >&2; fail "the folder dialog did not appear"; }
xdotool key Return
focus_window '^Form1$' 20 || { cat "$work/launcher.log" >&2; fail "the drill did not start"; }
drill=$(pgrep -P "$program" -x tapomi) || fail "the drill is not the launcher's child"
[[ $(readlink "/proc/$drill/exe") == "$usr/bin/tapomi" ]] || fail "the launcher started $(readlink "/proc/$drill/exe")"
[[ $(readlink "/proc/$drill/cwd") == "$data" ]] || fail "the drill runs in $(readlink "/proc/$drill/cwd")"
[[ $(tr '\0' '\n' <"/proc/$drill/cmdline" | sed -n 2p) == "$data/サンプル" ]] || fail "the drill's folder"
[[ -z $(tr '\0' '\n' <"/proc/$drill/cmdline" | sed -n 3p) ]] || fail "the folder is not one argument"
tr '\0' '\n' <"/proc/$drill/environ" | grep -q '^TAPOMI_CHILD=' && fail "a practice without a child names one"
grep -q "lastFolder=$data/サンプル" "$XDG_CONFIG_HOME/tapomi/tapomi-launcher.conf" || fail "the folder was not remembered"
xdotool key Escape
for wait in $(seq 1 50); do
  kill -0 "$drill" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$drill" 2>/dev/null && fail "Esc did not end the drill"
focus_window "$teacher" 20 || fail "the teacher's window did not come back after the drill"
xdotool key ctrl+q
status=0
wait "$program" || status=$?
program=
[[ $status -eq 0 ]] || fail "the launcher ended with status $status"
echo "package: $(basename "$deb") extracted and run: drill, voice pack and launcher"
