# Thin wrapper over CMake. `make test` builds and runs every test, `make check`
# all but the slow end-to-end and install tests; `make run` builds the game
# alone (no tests, no benchmarks) and starts it. Set WERROR=ON (CI does) to make
# warnings errors.
BUILD ?= build
WERROR ?= $(if $(CI),ON,OFF)
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: all configure build game test check run asan fuzz package release bench clean

all: build

configure:
	cmake -S . -B $(BUILD) -G Ninja -DTILVAREN_WERROR=$(WERROR) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The game and the click sound it builds in, nothing else; the same build
# folder as `make build`, which later builds the rest.
game: configure
	cmake --build $(BUILD) -j $(JOBS) --target tilvaren

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The quick round while working: every test but those labelled e2e or install.
check: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) --label-exclude '^(e2e|install)$$'

run: game
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

# The package as a packager builds it: CMake's default generator (Unix
# Makefiles), Release, no tests or benchmarks. lintian must report no error and
# no missing hardening.
RELEASE_BUILD ?= build-release
release:
	cmake -S . -B $(RELEASE_BUILD) -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release -DTILVAREN_TESTS=OFF -DTILVAREN_WERROR=$(WERROR)
	cmake --build $(RELEASE_BUILD) -j $(JOBS)
	rm -f $(RELEASE_BUILD)/*.deb
	cd $(RELEASE_BUILD) && cpack
	lintian -I $(RELEASE_BUILD)/*.deb >$(RELEASE_BUILD)/lintian.txt || { cat $(RELEASE_BUILD)/lintian.txt; exit 1; }
	cat $(RELEASE_BUILD)/lintian.txt
	! grep -q ' hardening-' $(RELEASE_BUILD)/lintian.txt || { echo 'release: lintian finds hardening missing'; exit 1; }

bench: build
	$(BUILD)/bench/engine_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
	$(BUILD)/bench/window_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true

clean:
	rm -rf build build-asan build-fuzz build-release
