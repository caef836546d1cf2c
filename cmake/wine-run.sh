#!/bin/sh
# wine-run.sh WINE PROGRAM [ARGUMENT...]: runs a Windows program under wine for CTest, which reads
# its output through a pipe. A wine helper that the program starts, above all the desktop process
# (which ends by itself some seconds after the last window has gone), would inherit that pipe and
# hold it open, and CTest waits for the pipe as well as for the program: every Qt test program
# took 15 to 20 s more on a new wine prefix. The output therefore goes through a file.
wine=$1
shift
out=$(mktemp) || exit 1
"$wine" "$@" >"$out" 2>&1
status=$?
cat "$out"
rm -f "$out"
exit "$status"
