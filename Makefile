# Thin wrapper around CMake; see README.md.
BUILD      ?= build
TEST_BUILD ?= build-test
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
FUZZ_TIME  ?= 60
JOBS       ?= $(shell nproc)

.PHONY: all setup build test demo demo-setup bench fuzz package install screenshots clean

all: build

setup:
	bash scripts/setup

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLUMET_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS)

# The tests also build the Debian package, in $(BUILD), and check it.
test: setup
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DPLUMET_SANITIZE=ON -DPLUMET_TESTS=ON \
	  -DPLUMET_PACKAGE_BUILD=$(abspath $(BUILD))
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

demo: build
	bash scripts/demo $(BUILD)

demo-setup: build
	bash scripts/demo $(BUILD) plumetsetup

bench: setup
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DPLUMET_TESTS=OFF -DPLUMET_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	bash bench/run $(BENCH_BUILD)

# Each libFuzzer target for FUZZ_TIME seconds (clang, with the sanitizers).
fuzz: setup
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
	  -DPLUMET_FUZZ=ON -DPLUMET_TESTS=OFF -DPLUMET_FUZZ_SECONDS=$(FUZZ_TIME)
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	cmake --build $(FUZZ_BUILD) --target fuzz

package: build
	cmake --build $(BUILD) -j $(JOBS) --target package

# Renews docs/screenshots from the programs, under Xvfb.
screenshots: build
	bash scripts/screenshots $(BUILD)

PREFIX ?= /usr/local
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
