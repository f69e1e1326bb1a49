#!/usr/bin/env bash
# Checks the Debian packages the build needs; installs the missing ones when run as root.
#   dependencias.sh         the build (library, programs, tests, fuzz targets)
#   dependencias.sh bench   the build and the benchmarks
#   dependencias.sh pares   the peer tools of the interoperability tests: installed when root,
#                           otherwise named (those tests then say they skipped); never fails
set -eu
# clang and its sanitizer and libFuzzer runtime build the fuzz targets that `make test` runs.
pacotes="g++ cmake make pkg-config libgtest-dev libjpeg62-turbo-dev libpng-dev libtiff-dev
libpoppler-cpp-dev libqpdf-dev libfec-dev libsodium-dev zlib1g-dev nlohmann-json3-dev clang libclang-rt-dev"
opcional=false
case "${1:-}" in
  bench) pacotes="$pacotes libbenchmark-dev libfftw3-dev time bc qpdf" ;;
  pares)
    pacotes="netpbm libjpeg-turbo-progs libtiff-tools poppler-utils ghostscript qpdf ffmpeg"
    opcional=true
    ;;
esac
falta=""
for p in $pacotes; do
  dpkg -s "$p" >/dev/null 2>&1 || falta="$falta $p"
done
[ -z "$falta" ] && exit 0
if [ "$(id -u)" = 0 ]; then
  echo "Installing missing Debian packages:$falta"
  apt-get update -qq || true
  if ! DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $falta; then
    $opcional && { echo "Could not install:$falta (their tests will skip)"; exit 0; }
    exit 1
  fi
elif $opcional; then
  echo "Peer tools missing (their interoperability tests will skip):$falta"
  echo "Install them with: sudo apt-get install$falta"
else
  echo "Missing Debian packages:$falta"
  echo "Install them with: sudo apt-get install$falta"
  exit 1
fi
