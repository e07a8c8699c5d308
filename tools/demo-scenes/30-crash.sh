#!/usr/bin/env bash
# Scene: the crash handler captures a crash (the demo program crashes on purpose; its Alert box closes by itself after 2 s)
set -euo pipefail
app=$(mktemp -d)
trap 'rm -rf "$app"' EXIT
demo=$LUMOX_BUILD/tools/crashdemo
cp "$demo/crashdemo.exe" "$demo/CorvaneCrashHandler64.dll" "$demo/crashlib.dll" "$app/"
cp "$app/crashdemo.exe" "$app/Lumox64.exe"

echo "--- Lumox64.exe access-violation   (default paths: beside the executable)"
set +e
$LUMOX_WINE "$app/Lumox64.exe" access-violation --close-box 2000 2>/dev/null | tr -d '\r'
code=${PIPESTATUS[0]}
set -e
echo "--- exit code $code (the low byte of 0xC0000005: the process ends with the exception code)"
echo "--- files left behind:"
ls -l "$app" | grep '\.exc\.' | awk '{print "   ", $5, $NF}'
echo "--- first lines of the report (Lumox64.exc.xml):"
xmllint --format "$app/Lumox64.exc.xml" | sed -n '2,16p'
echo "   ..."
