#!/usr/bin/env bash
# Scene: the launcher drives the player engine (a stand-in that prints each call it receives)
set -euo pipefail
app=$(mktemp -d)
trap 'rm -rf "$app"' EXIT
for program in Lumox64 LumoxMini64; do
  cp "$LUMOX_BUILD/launcher/$program.exe" "$app/"
done
cp "$LUMOX_BUILD/tests/standins/engine/full/Lumox64.dll" "$app/"

for program in Lumox64 LumoxMini64; do
  echo "--- $program.exe /play \"My Song.flac\""
  LUMOX_ENGINE_ECHO=1 $LUMOX_WINE "$app/$program.exe" /play 'My Song.flac' | tr -d '\r'
  echo "--- exit code ${PIPESTATUS[0]}"
done
