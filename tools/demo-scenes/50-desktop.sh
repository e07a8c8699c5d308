#!/usr/bin/env bash
# Scene: the desktop hook paints a magenta rectangle into the icon view of a desktop shell
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)

# On the virtual screen: the shell, then the painter; the screenshot while the colour shows.
on_screen() {
  wine "$app/DesktopShell.exe" --size 800x600 &
  local shell=$!
  for _ in $(seq 100); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Program Manager"' && break
    sleep 0.2
  done
  wine "$app/PaintDesktop.exe" 0x00FF00FF 100 50 500 400 4000 >"$app/painter.log" &
  local painter=$!
  for _ in $(seq 100); do
    grep -q '^painted' "$app/painter.log" 2>/dev/null && break
    sleep 0.2
  done
  sleep 1
  import -window root "$shot"
  wait "$painter"
  tr -d '\r' <"$app/painter.log"
  kill "$shell" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
}

if [ "${1:-}" = --on-screen ]; then
  on_screen
  exit
fi

export shot=${LUMOX_DESKTOP_SHOT:-$root/docs/desktop-hook.png}
app=$(mktemp -d)
export app
trap 'rm -rf "$app"' EXIT
cp "$LUMOX_BUILD/desktophook/Tessar64.dll" "$LUMOX_BUILD/tools/desktop-painter/PaintDesktop.exe" \
   "$LUMOX_BUILD/tests/standins/desktopshell/DesktopShell.exe" "$app/"
mkdir -p "$(dirname "$shot")"

# A prefix of its own whose windows are real X11 windows.
prefix=$LUMOX_BUILD/wineprefix-x11
"$root/tools/wine-run" "$prefix" --init
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
xvfb-run -a -s "-screen 0 800x600x24" bash "$0" --on-screen
echo "screenshot: $shot"
