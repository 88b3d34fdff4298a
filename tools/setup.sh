#!/usr/bin/env bash
# Installs what the build needs on a Debian 12 machine (as root) and cross-builds the
# third-party libraries. Idempotent: re-running it continues where a failed run stopped.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
  libwine-dev wine wine64 fonts-wine xvfb xauth x11-apps x11-utils googletest nasm
  libz-mingw-w64-dev cmake dpkg-dev ninja-build python3 imagemagick g++
  libjpeg62-turbo-dev libfreetype-dev fonts-dejavu-core ccache make fp-utils-3.2.2
  lame mpg123 vorbis-tools sox libsox-fmt-mp3 ffmpeg python3-mutagen
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! apt-get update -q; then
    echo "setup: apt-get update failed: the package source is unreachable" >&2
    exit 1
  fi
  if ! apt-get install -y -q --no-install-recommends "${missing[@]}"; then
    echo "setup: installing packages failed (${missing[*]}); run this script again once the source is reachable" >&2
    exit 1
  fi
fi

"$here/build-thirdparty.sh"
