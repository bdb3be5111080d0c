#!/usr/bin/env bash
# Takes a screenshot of a program's window on a virtual display:
#   xvfb-run -a -s "-screen 0 1280x800x24" scripts/screenshot.sh OUT.png build/program/pelion [ARGS]
# A window manager (openbox, when installed) gives windows their frames and maximised state.
# SHOT_WAIT sets the seconds to wait before the picture is taken (default 4).
out=$1; shift
wm=""
if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 & wm=$!
    sleep 1
fi
"$@" & pid=$!
sleep "${SHOT_WAIT:-4}"
import -window root "$out"
kill "$pid"; wait "$pid" 2>/dev/null
[ -n "$wm" ] && kill "$wm"
exit 0
