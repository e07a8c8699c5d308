#!/usr/bin/env bash
# validate-reports.sh <wine-run> <prefix> <crashdemo.exe> <schema> <work dir> <kind>...
# Crashes the demo program once per kind (it closes its own Alert box) and validates each report
# against the schema with xmllint; a missing dump or report fails too.
set -euo pipefail
wine_run=$1 prefix=$2 demo=$3 schema=$4 work=$5
shift 5
rm -rf "$work"
mkdir -p "$work"
for kind in "$@"; do
  report=$work/$kind.xml
  dump=$work/$kind.dmp
  "$wine_run" "$prefix" "$demo" "$kind" --report "Z:${report//\//\\}" --dump "Z:${dump//\//\\}" \
    --close-box 200 >/dev/null 2>&1 || true
  [ -s "$dump" ] || { echo "$kind: no dump at $dump"; exit 1; }
  [ -s "$report" ] || { echo "$kind: no report at $report"; exit 1; }
  xmllint --noout --schema "$schema" "$report"
done
