#!/usr/bin/env bash
# Cross-builds the third-party libraries from Debian's source packages as static libraries
# for both Windows targets. Results live outside the checkout, keyed by package, version and
# target, so a machine builds each one once. Writes <cache>/<target>/thirdparty.cmake, which
# the CMake build reads to make imported targets.
set -euo pipefail

cache=${TALVO_THIRDPARTY_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/talvo-thirdparty}
targets=(${TALVO_TARGETS:-x86_64-w64-mingw32 i686-w64-mingw32})
jobs=$(nproc)
mkdir -p "$cache/sources"

ensure_deb_src() {
  if ! grep -rqsE '^Types:.*deb-src' /etc/apt/sources.list.d/ && \
     ! grep -qsE '^deb-src' /etc/apt/sources.list; then
    local src=/etc/apt/sources.list.d/debian.sources
    [ -f "$src" ] || { echo "thirdparty: no $src to derive a deb-src entry from" >&2; exit 1; }
    sed 's/^Types:.*/Types: deb-src/' "$src" > /etc/apt/sources.list.d/talvo-deb-src.sources
    apt-get update -q || { echo "thirdparty: apt-get update failed after adding deb-src" >&2; exit 1; }
  fi
}

source_version() {  # newest source version of a package known to apt
  apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/ {print $2; exit}'
}

# Unpacks the Debian source of a package once; prints its folder.
fetch_source() {
  local pkg=$1 ver=$2 dir="$cache/sources/$1-${2#*:}"
  if [ ! -f "$dir/.unpacked" ]; then
    rm -rf "$dir" "$cache/sources/dl-$pkg"
    mkdir -p "$cache/sources/dl-$pkg"
    # Some packages list a signature file the archive no longer has; the source itself is
    # still complete, so judge the download by what dpkg-source can unpack.
    (cd "$cache/sources/dl-$pkg" && apt-get source -q --download-only "$pkg=$ver" >/dev/null 2>&1) || true
    ls "$cache/sources/dl-$pkg"/*.dsc >/dev/null 2>&1 ||
      { echo "thirdparty: could not download the source of $pkg $ver" >&2; return 1; }
    (cd "$cache/sources/dl-$pkg" && dpkg-source -x --no-check ./*.dsc "$dir" >/dev/null) ||
      { echo "thirdparty: could not unpack the source of $pkg $ver" >&2; return 1; }
    rm -rf "$cache/sources/dl-$pkg"
    touch "$dir/.unpacked"
  fi
  echo "$dir"
}

autotools_build() {  # src prefix host extra-configure-args...
  local src=$1 prefix=$2 host=$3; shift 3
  local b="$prefix.build"; rm -rf "$b"; mkdir -p "$b"
  (cd "$b" && "$src/configure" --host="$host" --prefix="$prefix" --disable-shared --enable-static \
      CC="$host-gcc-posix" CXX="$host-g++-posix" CFLAGS="-O2" CXXFLAGS="-O2" "$@" &&
   make -j"$jobs" && make install)
}

cmake_build() {  # src prefix host extra-cmake-args...
  local src=$1 prefix=$2 host=$3; shift 3
  local b="$prefix.build"; rm -rf "$b"; mkdir -p "$b"
  cmake -S "$src" -B "$b" -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR="${host%%-*}" \
    -DCMAKE_C_COMPILER="$host-gcc-posix" -DCMAKE_CXX_COMPILER="$host-g++-posix" \
    -DCMAKE_RC_COMPILER="$host-windres" -DCMAKE_FIND_ROOT_PATH="/usr/$host" \
    -DCMAKE_FIND_ROOT_PATH_MODE_PROGRAM=NEVER -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY \
    -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" &&
  cmake --build "$b" -j"$jobs" && cmake --install "$b"
}

build_one() {  # pkg host
  local pkg=$1 host=$2 ver src prefix log
  ver=$(source_version "$pkg")
  [ -n "$ver" ] || { echo "thirdparty: apt knows no source package $pkg" >&2; return 1; }
  prefix="$cache/$host/$pkg-${ver#*:}"  # an epoch's colon would break make
  log="$prefix.log"
  if [ -f "$prefix/.built" ]; then echo "$prefix"; return 0; fi
  src=$(fetch_source "$pkg" "$ver") || return 1
  rm -rf "$prefix"; mkdir -p "$(dirname "$prefix")"
  echo "thirdparty: building $pkg $ver for $host" >&2
  if ! build_"${pkg//-/_}" "$src" "$prefix" "$host" >"$log" 2>&1; then
    echo "thirdparty: building $pkg $ver for $host failed; see $log" >&2
    return 1
  fi
  rm -rf "$prefix.build"
  touch "$prefix/.built"
  echo "$prefix"
}

build_libogg()    { autotools_build "$@"; }
build_libvorbis() { local ogg; ogg=$(ls -d "$cache/$3"/libogg-*/ | head -1)
                    autotools_build "$@" --with-ogg="$ogg" --disable-docs --disable-examples --disable-oggtest; }
build_lame()      { autotools_build "$@" --disable-frontend --disable-gtktest --disable-decoder; }
build_mpg123()    { autotools_build "$@" --disable-components --enable-libmpg123 --with-cpu=generic_fpu; }
build_libjpeg_turbo() { cmake_build "$@" -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DCMAKE_ASM_NASM_COMPILER=nasm; }
build_taglib() {
  local src=$1
  # Debian points taglib at a system utf8cpp that no Windows sysroot has; use the bundled copy.
  if [ ! -f "$src/.utf8-bundled" ]; then
    local p="$src/debian/patches/0001-Use-system-libutf8cpp-library.patch"
    if [ -f "$p" ]; then (cd "$src" && patch -R -p1 -s < "$p"); fi
    touch "$src/.utf8-bundled"
  fi
  cmake_build "$@" -DWITH_ZLIB=ON -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_BINDINGS=OFF
}

ensure_deb_src
build_target() {
  local host=$1 out="$cache/$1/thirdparty.cmake" p dir tmp
  # Several builds may run this at once: each writes its own file and the list is replaced
  # in one rename, and only when it changed, so no configure step reads a half-written list.
  tmp=$(mktemp "$out.XXXXXX")
  for p in libogg libvorbis lame mpg123 libjpeg-turbo taglib; do
    dir=$(build_one "$p" "$host") || { rm -f "$tmp"; return 1; }
    echo "set(TALVO_TP_${p//-/_} \"$dir\")" >> "$tmp"
  done
  if cmp -s "$tmp" "$out"; then rm -f "$tmp"; else mv "$tmp" "$out"; fi
}

# Sources are fetched serially (apt locks), the two targets build side by side.
for p in libogg libvorbis lame mpg123 libjpeg-turbo taglib; do
  v=$(source_version "$p"); [ -n "$v" ] || { echo "thirdparty: apt knows no source package $p" >&2; exit 1; }
  fetch_source "$p" "$v" >/dev/null
done
pids=()
for t in "${targets[@]}"; do mkdir -p "$cache/$t"; build_target "$t" & pids+=($!); done
status=0
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
[ $status -eq 0 ] || { echo "thirdparty: a library failed to build (see the message above)" >&2; exit 1; }
echo "thirdparty: ready in $cache"
