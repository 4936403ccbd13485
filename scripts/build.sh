#!/usr/bin/env bash
# Configures and builds one build tree: scripts/build.sh <name> [cmake options...]
# Trees live in build/<name>, one per configuration.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
name="${1:?usage: build.sh <name> [cmake options...]}"
shift
# Paths relative to the checkout, so a fresh clone elsewhere (as CI makes)
# still hits the compiler cache.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
cmake -S "$root" -B "$root/build/$name" -G Ninja -Wno-dev "$@" >/dev/null
cmake --build "$root/build/$name" -j "$(nproc)"
