#!/usr/bin/env bash
# Starts the real program under Xvfb with a settings folder of its own:
# - the window comes up (a screenshot is saved and must not be blank);
# - a second start ends at once and writes no setting;
# - SIGTERM ends the program through its exit path, which writes the settings.
set -euo pipefail
program="$1"
grab="$2"
out="$3"
mkdir -p "$out"

work="$(mktemp -d)"
display=""
cleanup() {
  [ -n "${app_pid:-}" ] && kill -9 "$app_pid" 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

for n in $(seq 90 120); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
    display=":$n"
    break
  fi
done
[ -n "$display" ] || { echo "no free X display"; exit 1; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

export DISPLAY="$display" QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
settings="$XDG_CONFIG_HOME/Tarvel_Programming/Noctiva.ini"
# A note for today: its balloon comes up at start-up.
mkdir -p "$(dirname "$settings")"
today=$(date +%d.%m.%Y)
note="Забрать посылку на почте до 18:00. Позвонить маме!"
printf '[Noctiva]\nDescriptions\\%s=%s\n' "$today" "$note" >"$settings"

"$program" >"$work/log" 2>&1 &
app_pid=$!
sleep 4
kill -0 "$app_pid" || { echo "the program ended at start"; cat "$work/log"; exit 1; }

colours=$("$grab" "$out/main_window.png")
echo "distinct colours on screen: $colours"
[ "$colours" -gt 50 ] || { echo "the screen is blank: no window"; exit 1; }

# The calendar page: a click on its tab, through the X server.
win=$(xdotool search --sync --onlyvisible --name "Tarvel Noctiva" | head -n 1)
[ -n "$win" ] || { echo "no main window on the screen"; exit 1; }
xdotool mousemove --window "$win" 390 52 click 1
sleep 1.5
"$grab" "$out/calendar_page.png" >/dev/null

# A second start: ends at once, writes nothing.
before=$(stat -c %Y "$settings" 2>/dev/null || echo none)
timeout 10 "$program" >"$work/log2" 2>&1 || { echo "the second start failed or hung"; exit 1; }
after=$(stat -c %Y "$settings" 2>/dev/null || echo none)
[ "$before" = "$after" ] || { echo "the second start wrote settings"; exit 1; }
kill -0 "$app_pid" || { echo "the first copy ended"; exit 1; }

# SIGTERM (logout, shutdown): the settings are written on the way out.
kill -TERM "$app_pid"
for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app_pid" 2>/dev/null; then echo "SIGTERM did not end the program"; exit 1; fi
wait "$app_pid" || true
app_pid=""
grep -q '^Zam=True' "$settings" || { echo "settings were not written at exit"; cat "$settings" 2>/dev/null; exit 1; }
grep -qF "Descriptions\\$today=$note" "$settings" || { echo "the note was lost"; cat "$settings"; exit 1; }
echo "smoke test passed"
