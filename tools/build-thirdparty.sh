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

# Source packages come from the machine's own Debian archive, in either layout apt reads: a
# deb822 file (Debian 12's default) or the classic one-line sources.list.
ensure_deb_src() {
  if grep -qsE '^Types:.*deb-src' /etc/apt/sources.list.d/*.sources ||
     grep -qsE '^deb-src[[:space:]]' /etc/apt/sources.list /etc/apt/sources.list.d/*.list; then
    return 0
  fi
  local deb822=/etc/apt/sources.list.d/debian.sources classic=/etc/apt/sources.list
  if [ -f "$deb822" ]; then
    sed 's/^Types:.*/Types: deb-src/' "$deb822" > /etc/apt/sources.list.d/talvo-deb-src.sources
  elif grep -qsE '^deb[[:space:]]' "$classic"; then
    sed -n 's/^deb\([[:space:]]\)/deb-src\1/p' "$classic" > /etc/apt/sources.list.d/talvo-deb-src.list
  else
    echo "thirdparty: neither $deb822 nor deb lines in $classic to derive a deb-src entry from" >&2
    exit 1
  fi
  apt-get update -q || { echo "thirdparty: apt-get update failed after adding deb-src" >&2; exit 1; }
}

# The newest source version of a package known to apt. apt-cache lists every version the
# archive has (a point release and its security update, say) in no promised order.
source_version() {
  local v newest=
  for v in $(apt-cache showsrc "$1" 2>/dev/null | awk -v p="$1" '/^Package:/ {ours = $2 == p} ours && /^Version:/ {print $2}'); do
    if [ -z "$newest" ] || dpkg --compare-versions "$v" gt "$newest"; then newest=$v; fi
  done
  echo "$newest"
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
# Against the libogg this run built for the target (build_target's list), not an older one cached.
build_libvorbis() { autotools_build "$@" --with-ogg="${built[libogg]}" --disable-docs --disable-examples --disable-oggtest; }
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

# WMA only: the wmav2 encoder, the WMA decoders and the ASF container, LGPL, without any of
# ffmpeg's other parts or the system libraries it would otherwise look for. The component does
# its own file access, so no protocol is built.
build_ffmpeg() {
  local src=$1 prefix=$2 host=$3 b="$2.build"
  rm -rf "$b"; mkdir -p "$b"
  (cd "$b" && "$src/configure" --prefix="$prefix" --enable-cross-compile --cross-prefix="$host-" \
      --cc="$host-gcc-posix" --cxx="$host-g++-posix" --arch="${host%%-*}" --target-os=mingw32 \
      --disable-everything --disable-programs --disable-doc --disable-network \
      --disable-autodetect --disable-avdevice --disable-avfilter --disable-swscale \
      --enable-static --disable-shared --enable-encoder=wmav2 \
      --enable-decoder=wmav1,wmav2,wmapro,wmalossless --enable-muxer=asf --enable-demuxer=asf \
      --enable-swresample &&
   make -j"$jobs" && make install)
}

libraries=(libogg libvorbis lame mpg123 libjpeg-turbo taglib ffmpeg)

ensure_deb_src
build_target() {
  local host=$1 out="$cache/$1/thirdparty.cmake" p dir tmp
  local -A built  # what this run built for the target, by package
  # Several builds may run this at once: each writes its own file and the list is replaced
  # in one rename, and only when it changed, so no configure step reads a half-written list.
  tmp=$(mktemp "$out.XXXXXX")
  for p in "${libraries[@]}"; do
    dir=$(build_one "$p" "$host") || { rm -f "$tmp"; return 1; }
    built[$p]=$dir
    echo "set(TALVO_TP_${p//-/_} \"$dir\")" >> "$tmp"
  done
  if cmp -s "$tmp" "$out"; then rm -f "$tmp"; else mv "$tmp" "$out"; fi
}

# Sources are fetched serially (apt locks), the two targets build side by side.
for p in "${libraries[@]}"; do
  v=$(source_version "$p"); [ -n "$v" ] || { echo "thirdparty: apt knows no source package $p" >&2; exit 1; }
  fetch_source "$p" "$v" >/dev/null
done
pids=()
for t in "${targets[@]}"; do mkdir -p "$cache/$t"; build_target "$t" & pids+=($!); done
status=0
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
[ $status -eq 0 ] || { echo "thirdparty: a library failed to build (see the message above)" >&2; exit 1; }
echo "thirdparty: ready in $cache"
