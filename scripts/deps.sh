#!/usr/bin/env bash
# Installs what the build needs and builds the win64 libraries Debian does not package
# (libpng, libjpeg, GoogleTest) into build/deps/win64. Idempotent: a second run only checks.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
prefix="$root/build/deps/win64"
work="$root/build/deps/src"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"

packages=(
    cmake ninja-build g++ pkg-config dpkg-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
    wine wine64 xvfb xauth x11-apps x11-utils imagemagick
    googletest libgtest-dev libbenchmark-dev libpixman-1-dev
    libpng-dev libjpeg-dev zlib1g-dev hyperfine locales clang-format
)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "deps: installing ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Wine takes the charset of Unix file names from the locale: without a generated UTF-8 locale it
# falls back to ASCII, and maps named in Cyrillic, Greek or Chinese vanish from the list or fail
# to open. Russian keeps the program's code page 1251.
if ! locale -a 2>/dev/null | grep -qx 'ru_RU.utf8'; then
    echo "deps: generating the ru_RU.UTF-8 locale"
    as_root sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -qx 'ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
fi

# apt-get source needs a deb-src entry; add one mirroring the first binary source.
ensure_deb_src() {
    if grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then return; fi
    echo "deps: adding a deb-src entry for Debian source packages" >&2
    local suite
    suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
    as_root tee /etc/apt/sources.list.d/lumpwright-src.sources >/dev/null <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $suite
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    as_root apt-get update -qq
}

cross_cmake() {  # <source dir> <build dir> [cmake args...]
    local src=$1 bld=$2; shift 2
    cmake -S "$src" -B "$bld" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DLW_DEPS_PREFIX="$prefix" \
        -DCMAKE_PREFIX_PATH="$prefix" -Wno-dev "$@" >"$bld.log" 2>&1 || { cat "$bld.log" >&2; exit 1; }
    cmake --build "$bld" -j2 >/dev/null
    cmake --install "$bld" >/dev/null
}

fetch_source() {  # <source package> -> prints the unpacked folder
    local pkg=$1
    mkdir -p "$work"
    local dir
    dir=$(find "$work" -maxdepth 1 -type d -name "$pkg*" | head -n 1)
    if [ -z "$dir" ]; then
        ensure_deb_src
        (cd "$work" && apt-get source -qq "$pkg" >/dev/null 2>&1)
        dir=$(find "$work" -maxdepth 1 -type d -name "$pkg*" | head -n 1)
    fi
    [ -n "$dir" ] || { echo "deps: could not fetch the source of $pkg" >&2; exit 1; }
    echo "$dir"
}

stamp() { echo "$prefix/.built-$1"; }

if [ ! -f "$(stamp libpng)" ]; then
    echo "deps: building libpng for win64"
    src=$(fetch_source libpng1.6)
    cross_cmake "$src" "$work/build-libpng" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
        -DPNG_EXECUTABLES=OFF -DZLIB_USE_STATIC_LIBS=ON
    touch "$(stamp libpng)"
fi

if [ ! -f "$(stamp libjpeg)" ]; then
    echo "deps: building libjpeg for win64"
    src=$(fetch_source libjpeg-turbo)
    cross_cmake "$src" "$work/build-libjpeg" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF \
        -DWITH_TURBOJPEG=OFF
    touch "$(stamp libjpeg)"
fi

if [ ! -f "$(stamp googletest)" ]; then
    echo "deps: building GoogleTest for win64"
    cross_cmake /usr/src/googletest "$work/build-googletest" -DBUILD_GMOCK=ON -Dgtest_force_shared_crt=OFF
    touch "$(stamp googletest)"
fi
