#!/usr/bin/env bash
# Configures and builds one target: build.sh <x86_64|i686> [extra cmake args...]
# TALVO_JOBS caps the parallel jobs (default: every core).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
arch=$1; shift
dir="$top/build/$arch"
# Objects are cached by content across checkouts of the tree, so a second work tree or a
# rebuilt one compiles only what differs.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$top" CCACHE_NOHASHDIR=1
fi
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$top" -B "$dir" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-$arch-w64-mingw32.cmake" "${launcher[@]}" "$@"
fi
cmake --build "$dir" -j"${TALVO_JOBS:-$(nproc)}"
