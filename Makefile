# The two commands a newcomer needs: `make demo` and `make test`.
BUILD   ?= build
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
CMAKEOPTS ?=

.PHONY: all build demo test bench test-asan deps clean install

all: build

deps:
	@scripts/dependencias.sh

$(BUILD)/CMakeCache.txt:
	@scripts/dependencias.sh
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKEOPTS)

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	@scripts/demo.sh $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench:
	@scripts/dependencias.sh bench
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DMORVIA_BENCH=ON -DMORVIA_TESTS=OFF
	cmake --build build-bench -j $(JOBS)
	@scripts/bench.sh build-bench

test-asan:
	@scripts/dependencias.sh
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DMORVIA_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)

install: build
	cmake --install $(BUILD)

clean:
	rm -rf $(BUILD) build-bench build-asan
