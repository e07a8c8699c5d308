#!/usr/bin/env bash
# Scene: two chat hosts on the stand-in chat server join one channel, talk, and alice kicks bob with a control that reaches bob's host as CHATMSG_KICK_EX
set -euo pipefail
work=$(mktemp -d)
trap 'exec 3>&- 2>/dev/null || true; rm -rf "$work"' EXIT
client=$LUMOX_BUILD/tools/chatclient/chatclient.exe
port=$((20000 + RANDOM % 20000))

# The server runs until its standard input closes.
mkfifo "$work/server.in"
$LUMOX_WINE "$LUMOX_BUILD/tests/standins/chatserver/chatserver.exe" $port <"$work/server.in" >"$work/server.log" 2>&1 &
server=$!
exec 3>"$work/server.in"
for _ in $(seq 100); do grep -q listening "$work/server.log" && break; sleep 0.1; done
tr -d '\r' <"$work/server.log"

printf '%s\n' '/await JOIN' 'hello alice, bob here' '/await KICK_EX' '/quit' >"$work/bob.in"
printf '%s\n' '/await MSG' 'hi bob' '/control VEX_KICK bob warned 3-strikes' '/kick bob' '/wait 1000' '/quit' >"$work/alice.in"

$LUMOX_WINE "$client" 127.0.0.1 $port bob lounge "Bob B" <"$work/bob.in" >"$work/bob.log" 2>&1 &
bob=$!
for _ in $(seq 100); do grep -q CHATMSG_USER "$work/bob.log" && break; sleep 0.1; done
$LUMOX_WINE "$client" 127.0.0.1 $port alice lounge "Alice A" <"$work/alice.in" >"$work/alice.log" 2>&1 &
alice=$!
wait $alice $bob

echo "--- alice's host"
tr -d '\r' <"$work/alice.log"
echo "--- bob's host"
tr -d '\r' <"$work/bob.log"
exec 3>&-
wait $server
grep -q 'CHATMSG_KICK_EX: alice kicked bob (TRUE), control value "3-strikes"' "$work/bob.log"
