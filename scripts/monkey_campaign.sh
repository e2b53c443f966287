#!/usr/bin/env bash
# A long random-play campaign: two kx_monkey processes under nice, each
# playing one seed after another (seeds from FIRST on, odd and even) for
# MINUTES (default 30), every fourth event painted whole, under
# AddressSanitizer and UndefinedBehaviorSanitizer. Prints each seed, then the events, events
# per second and findings in all. A finding is reduced to the shortest
# failing prefix and printed; its seed replays it:
#   build-asan/tests/kx_monkey --seed S --events N --paint-every 4
#   scripts/monkey_campaign.sh [MINUTES] [EVENTS_PER_SEED] [FIRST]
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-30}
events=${2:-50000}
first=${3:-1000}
# KX_MONKEY names a kx_monkey built elsewhere (a copy keeps running while
# build-asan is rebuilt).
monkey=${KX_MONKEY:-}
if [ -z "$monkey" ]; then
  scripts/setup.sh
  scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DKX_SANITIZE=ON -DKX_BUILD_BENCH=OFF
  monkey=build-asan/tests/kx_monkey
fi
log=$(mktemp -d)
end=$(($(date +%s) + minutes * 60))
player() {
  local seed=$1
  while [ "$(date +%s)" -lt "$end" ]; do
    nice -n 19 "$monkey" --seed "$seed" --events "$events" --paint-every 4 >>"$log/$2" 2>/dev/null || true
    seed=$((seed + 2))
  done
}
player "$first" a &
player "$((first + 1))" b &
wait
cat "$log"/a "$log"/b | grep -v '^[0-9]* events in' | sort -n -k2 >"$log/all"
cat "$log/all"
total=$(grep -o '^seed [0-9]*: [0-9]* events' "$log/all" | awk '{s += $3} END {print s + 0}')
findings=$(grep -c 'shortest failing prefix' "$log/all" || true)
echo "campaign: $total events in $minutes minutes on two processes ($((total / (minutes * 60))) events/s), $findings findings"
rm -rf "$log"
