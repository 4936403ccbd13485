#!/usr/bin/env bash
# Configures and builds one build tree: scripts/build.sh <name> [cmake options...]
# Trees live in build/<name>, one per configuration.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
name="${1:?usage: build.sh <name> [cmake options...]}"
shift
cmake -S "$root" -B "$root/build/$name" -G Ninja -Wno-dev "$@" >/dev/null
cmake --build "$root/build/$name" -j "$(nproc)"
