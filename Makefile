# Set-up, build and checks. Every target installs what is missing first. The
# configurations are the presets of CMakePresets.json.
JOBS ?= $(shell nproc)
FUZZ_BUILD ?= build-fuzz

.PHONY: all deps configure build run test sanitize bench fuzz package clean

all: build

deps:
	@./scripts/install-deps

configure: deps
	@cmake --preset dev >/dev/null

build: configure
	@cmake --build --preset dev -j$(JOBS)

run: configure
	@cmake --build --preset dev -j$(JOBS) --target tavrimo
	build/src/app/tavrimo

# Every test: the full build, then the core again under ASan and UBSan.
test: build
	ctest --preset dev -j$(JOBS)
	@$(MAKE) --no-print-directory sanitize

sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize -j$(JOBS)
	ctest --preset sanitize -j$(JOBS)

bench: build
	build/bench/bench_problems
	build/bench/bench_settings_sweep
	build/bench/bench_drawing
	xvfb-run -a -s '-screen 0 1024x768x24' build/bench/bench_window
	./bench/cli-peak-memory build/src/cli/tavrimo-sheets

# The libFuzzer targets (fuzz/, built with clang) under ASan and UBSan, each
# for a fixed number of runs; FUZZ_SCALE multiplies the runs.
FUZZ_SCALE ?= 1
fuzz: deps
	@cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS)
	./fuzz/run $(FUZZ_BUILD) $(FUZZ_SCALE)

# The Debian package (CPack), then its checks: desktop entry and metainfo
# validated, the .deb unpacked into a temporary root and its command line run.
package: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j$(JOBS)
	@rm -f build-pkg/tavrimo_*.deb
	cd build-pkg && cpack -G DEB
	./scripts/check-package build-pkg

clean:
	rm -rf build build-asan $(FUZZ_BUILD) build-pkg
