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
