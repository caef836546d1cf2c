# Sourced by the end-to-end scripts: the script runs itself again inside a fresh bare X server of
# the given size, works in a temporary folder ($work) that goes when it ends, and stops the
# program it started ($program) if that is still running then.
#   source fresh_x_server.sh WIDTHxHEIGHT "$@"
if [[ -z "${DISPLAY_FOR_TEST:-}" ]]; then
  # -a picks a free display number.
  exec xvfb-run -a -s "-screen 0 ${1}x24 -nolisten tcp" env DISPLAY_FOR_TEST=1 "$0" "${@:2}"
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

# Gives the keyboard focus to the visible window whose title matches, waiting up to the given
# seconds for it. A window is found by name before it is mapped, and focusing it then is an X
# error, so only visible windows are tried, again until one takes the focus.
#   focus_window PATTERN SECONDS
focus_window() {
  local pattern=$1 deadline=$((SECONDS + $2)) id
  while ((SECONDS < deadline)); do
    for id in $(xdotool search --onlyvisible --name "$pattern" 2>/dev/null); do
      timeout 5 xdotool windowfocus --sync "$id" 2>/dev/null && return 0
    done
    sleep 0.2
  done
  return 1
}
