# These commands do all set-up on a fresh Debian 12 machine:
#   make run    build and open the sample catalog
#   make test   build and pass every test
#   make package build the Debian package
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: setup configure build run test test-asan fuzz-smoke bench package clean

setup:
	@scripts/setup

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only what the program needs (the program, its plugins and help pages); the tests and the
# benchmarks wait for `make test` and `make bench`.
run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target mosgrid
	@scripts/run-sample $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The suite built with AddressSanitizer and UndefinedBehaviorSanitizer, in build-asan.
test-asan: setup
	@scripts/test-asan build-asan

# Each fuzz target for FUZZ_SECONDS from its seed corpus, built in build-fuzz.
FUZZ_SECONDS ?= 40
fuzz-smoke: setup
	@scripts/fuzz-smoke $(FUZZ_SECONDS) build-fuzz

# The benchmarks are built here only, not by `make build` or `make test`.
bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@scripts/run-benchmarks $(BUILD)

# The Debian package, $(BUILD)/mosgrid_<version>_<arch>.deb.
package: build
	@cd $(BUILD) && cpack -G DEB >/dev/null
	@ls $(BUILD)/mosgrid_*.deb

clean:
	rm -rf $(BUILD)
