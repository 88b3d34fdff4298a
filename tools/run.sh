#!/usr/bin/env bash
# The run command: sets up what is missing, builds the x86_64 program and starts it under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/setup.sh"
"$top/tools/build.sh" x86_64
exec "$top/tools/start.sh" "$@"
