#!/usr/bin/env bash
# Builds the program (and, with --test, the tests with the sanitizers) with CMake.
#   scripts/build.sh            release-like build in build/
#   scripts/build.sh --test     test build with ASan and UBSan in build-test/
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" == "--test" ]]; then
  dir=build-test
  args=(-DORBELINE_SANITIZE=ON -DORBELINE_BUILD_TESTS=ON -DCMAKE_BUILD_TYPE=Debug)
else
  dir=build
  args=(-DORBELINE_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi
cmake -S . -B "$dir" -G Ninja "${args[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)"
