#!/usr/bin/env bash
# Checks the Debian packages the build needs; installs the missing ones when run as root.
set -eu
# clang and its sanitizer and libFuzzer runtime build the fuzz targets that `make test` runs.
pacotes="g++ cmake make pkg-config libgtest-dev libjpeg62-turbo-dev libpng-dev libtiff-dev
libpoppler-cpp-dev libqpdf-dev clang libclang-rt-dev"
# `dependencias.sh bench` adds what the benchmarks need.
[ "${1:-}" = bench ] && pacotes="$pacotes libbenchmark-dev time"
falta=""
for p in $pacotes; do
  dpkg -s "$p" >/dev/null 2>&1 || falta="$falta $p"
done
[ -z "$falta" ] && exit 0
if [ "$(id -u)" = 0 ]; then
  echo "Installing missing Debian packages:$falta"
  apt-get update -qq || true
  apt-get install -y -qq $falta
else
  echo "Missing Debian packages:$falta"
  echo "Install them with: sudo apt-get install$falta"
  exit 1
fi
