# Thin wrapper over CMake. `make test` builds and runs every test, `make check`
# all but the slow end-to-end and install tests; `make run` builds and starts
# the game. Set WERROR=ON (CI does) to make warnings errors.
BUILD ?= build
WERROR ?= $(if $(CI),ON,OFF)
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: all build test check run asan fuzz package bench clean

all: build

build:
	cmake -S . -B $(BUILD) -G Ninja -DTILVAREN_WERROR=$(WERROR) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The quick round while working: every test but those labelled e2e or install.
check: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) --label-exclude '^(e2e|install)$$'

run: build
	$(BUILD)/src/tilvaren

# The tests again, built with the address and undefined-behaviour sanitizers.
asan:
	$(MAKE) test BUILD=build-asan CMAKE_FLAGS="-DTILVAREN_SANITIZE=ON -DTILVAREN_BENCHMARKS=OFF"

# Each reader of untrusted files fuzzed for FUZZ_SECONDS, from its seed corpus.
FUZZ_SECONDS ?= 45
fuzz:
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTILVAREN_FUZZ=ON -DTILVAREN_SANITIZE=ON -DTILVAREN_WERROR=$(WERROR)
	cmake --build build-fuzz -j $(JOBS) --target fuzzers
	for t in SavedGameFuzz:savedgame ProfileFuzz:profile HelpFileFuzz:helpfile RegisterFuzz:register; do \
	  mkdir -p build-fuzz/corpus/$${t#*:} && \
	  build-fuzz/fuzz/$${t%%:*} -max_total_time=$(FUZZ_SECONDS) -max_len=4096 -print_final_stats=1 \
	    build-fuzz/corpus/$${t#*:} fuzz/corpus/$${t#*:} || exit 1; \
	done

package: build
	cd $(BUILD) && cpack

bench: build
	$(BUILD)/bench/engine_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
	$(BUILD)/bench/window_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true

clean:
	rm -rf build build-asan build-fuzz
