# The two commands a newcomer needs: `make demo` and `make test`.
BUILD   ?= build
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
CMAKEOPTS ?=

FUZZTIME ?= 60

.PHONY: all build demo test bench test-asan test-asan-rapido asan-build fuzz fuzz-build deps clean install

all: build

deps:
	@scripts/dependencias.sh

$(BUILD)/CMakeCache.txt:
	@scripts/dependencias.sh
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKEOPTS)

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# The demo builds only the programs it runs.
demo: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target morvia-doc geradoc printscan
	@scripts/demo.sh $(BUILD)

# The peer tools of the interoperability tests are installed like the build packages, then the
# test suite runs, then a short run of every fuzz target on its seeds and regression inputs.
test: build fuzz-build
	@scripts/dependencias.sh pares
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@scripts/fuzz.sh build-fuzz smoke

# The readers under libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer (clang):
# `make fuzz FUZZTIME=300` runs every target for 300 s, two at a time.
build-fuzz/CMakeCache.txt:
	@scripts/dependencias.sh
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVIA_FUZZ=ON

fuzz-build: build-fuzz/CMakeCache.txt
	cmake --build build-fuzz -j $(JOBS)

fuzz: fuzz-build
	@scripts/fuzz.sh build-fuzz $(FUZZTIME)

bench:
	@scripts/dependencias.sh bench
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DMORVIA_BENCH=ON -DMORVIA_TESTS=OFF
	cmake --build build-bench -j $(JOBS)
	@scripts/bench.sh build-bench

asan-build:
	@scripts/dependencias.sh
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DMORVIA_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)

test-asan: asan-build
	cd build-asan && ASAN_OPTIONS=allocator_may_return_null=1 ctest --output-on-failure -j $(JOBS)

# The sanitizer build on the suite without its long print-and-scan round trips.
LONGOS = IdaEVolta|Paginas|Printscan|Verificacao|Assinatura|Morvia
test-asan-rapido: asan-build
	cd build-asan && ASAN_OPTIONS=allocator_may_return_null=1 ctest --output-on-failure -j $(JOBS) \
	  -E '$(LONGOS)'

install: build
	cmake --install $(BUILD)

clean:
	rm -rf $(BUILD) build-bench build-asan build-fuzz
