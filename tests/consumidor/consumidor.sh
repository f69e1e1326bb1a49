#!/usr/bin/env bash
# Installs the build into a fresh prefix, then builds a consumer program against it both ways,
# with CMake's find_package and with pkg-config, and runs each on an image.
# Usage: consumidor.sh BUILD-DIR SOURCE-DIR
set -euo pipefail
build=$1
fonte=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
imagem=$tmp/imagem.pgm
printf 'P5\n4 3\n255\n\x00\x10\x20\x30\x40\x50\x60\x70\x80\x90\xa0\xff' > "$imagem"
cmake --install "$build" --prefix "$tmp/prefixo" >/dev/null
# Nothing but the library's headers goes into the include folder.
[ -z "$(find "$tmp/prefixo/include" -type f ! -path '*/tavolin/*')" ]
! find "$tmp/prefixo/include" -name 'marca.h' -o -name 'apoio.h' -o -name 'impressao.h' | grep -q .

cmake -S "$fonte/tests/consumidor" -B "$tmp/cmake" -DCMAKE_PREFIX_PATH="$tmp/prefixo" >/dev/null
cmake --build "$tmp/cmake" >/dev/null
"$tmp/cmake/consumidor" "$imagem" "$tmp/a.pgm"

export PKG_CONFIG_PATH="$tmp/prefixo/lib/pkgconfig"
g++ -std=c++17 "$fonte/tests/consumidor/consumidor.cpp" -o "$tmp/pc" \
  $(pkg-config --cflags --libs tavolin)
"$tmp/pc" "$imagem" "$tmp/b.pgm"
cmp "$tmp/a.pgm" "$tmp/b.pgm"
echo "consumer built and run with find_package and with pkg-config"
