#!/usr/bin/env bash
# Format check and clang-tidy over the project's sources (uses the default
# build's compile_commands.json).
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror $files
cmake --preset default >/dev/null
# The Windows sources are compiled only by the MinGW build: no entries here.
git ls-files 'config/*.cpp' 'link/*.cpp' 'app/*.cpp' 'app/**/*.cpp' 'sim/*.cpp' 'files/*.cpp' 'cli/*.cpp' \
  ':!:*/win32/*' \
  ':!:app/tools/window_layout.cpp' |
  xargs clang-tidy -p build/default --quiet 2>&1 | grep -E 'warning:|error:' && exit 1
echo "lint clean"
