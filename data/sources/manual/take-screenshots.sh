#!/bin/bash
# Takes the help pages' screenshots of the real program under a virtual X server:
#   data/sources/manual/take-screenshots.sh build/program/pelion
# Needs xvfb-run, openbox, xdotool and ImageMagick's import. The page shown is myclub.html
# beside this script; the program runs with a fresh home folder so no earlier settings show.
set -euo pipefail
program=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../../Manual/images"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/MyClub" "$out"
cp "$here/myclub.html" "$work/MyClub/index.html"
cat > "$work/run.sh" <<SCRIPT
#!/bin/bash
export HOME="$work" XDG_CONFIG_HOME="$work/.config"
openbox & sleep 1
"$program" "$work/MyClub/index.html" & sleep 10
xdotool mousemove 700 250 click 1; sleep 1
xdotool mousemove 60 135 click 1; sleep 2
import -window root "$out/page-window.png"
xdotool mousemove 640 400 click 1; sleep 1
xdotool mousemove 245 85 click 1; sleep 3
import -window "\$(xdotool getactivewindow)" "$out/table-dialog.png"
xdotool key Escape; sleep 1
kill %2; sleep 1; kill %1
SCRIPT
chmod +x "$work/run.sh"
xvfb-run -a -s '-screen 0 1024x700x24' "$work/run.sh"
