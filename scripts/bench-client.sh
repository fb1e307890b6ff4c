#!/usr/bin/env bash
# Fetches a 40 KB log page from the router simulator on loopback 20 times with
# Vorlane's router client and 20 times with curl; prints both medians and
# their ratio (target: the client within 1.3x curl).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh
bash scripts/build.sh native >/dev/null

build=build/native
fetches=20
page_bytes=40960
source scripts/lib/scene.sh
trap stop_router_sim EXIT
start_router_sim "$build/tools/routersim/routersim" build/bench-client --log-bytes "$page_bytes" ||
  { echo "bench-client.sh: the router simulator did not start" >&2; exit 1; }
port=$SIM_PORT
url="http://127.0.0.1:$port/syslog.htm"

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One warm-up fetch each, not counted.
"$build/tools/routerbench/routerbench" "127.0.0.1:$port" 1 >/dev/null
curl -s -o /dev/null --http1.0 "$url"

# Client and curl take turns, so both meet the same load on the machine.
client_times=()
curl_times=()
for _ in $(seq "$fetches"); do
  run=$("$build/tools/routerbench/routerbench" "127.0.0.1:$port" 1)
  client_times+=("${run%% *}")
  bytes=${run##* }
  curl_times+=("$(curl -s -o /dev/null --http1.0 -w '%{time_total}' "$url" | awk '{ printf "%.3f", $1 * 1000 }')")
done
client_ms=$(printf '%s\n' "${client_times[@]}" | median)
curl_ms=$(printf '%s\n' "${curl_times[@]}" | median)

echo "log page: $bytes bytes, $fetches fetches each (connect to last byte)"
echo "RouterHttpClient median: $client_ms ms"
echo "curl median:             $curl_ms ms"
awk -v c="$client_ms" -v k="$curl_ms" 'BEGIN {
  ratio = c / k
  printf "ratio client/curl:       %.2f (target <= 1.30: %s)\n", ratio, ratio <= 1.3 ? "met" : "NOT met"
}'
