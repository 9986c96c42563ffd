# Set-up, build and checks. Every target installs what is missing first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=
FUZZ_BUILD ?= build-fuzz
PKG_BUILD  ?= build-pkg

.PHONY: all deps configure build run test sanitize bench fuzz package clean

all: build

deps:
	@./scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: configure
	@cmake --build $(BUILD) -j$(JOBS) --target tavrimo
	$(BUILD)/src/app/tavrimo

# Every test: the full build, then the core again under ASan and UBSan.
test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	@$(MAKE) --no-print-directory sanitize

sanitize: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTAVRIMO_SANITIZE=ON \
	  -DTAVRIMO_WITH_QT=OFF -DTAVRIMO_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 ctest --output-on-failure -j$(JOBS)

bench: build
	$(BUILD)/bench/bench_problems
	$(BUILD)/bench/bench_settings_sweep
	$(BUILD)/bench/bench_drawing
	xvfb-run -a -s '-screen 0 1024x768x24' $(BUILD)/bench/bench_window
	./bench/cli-peak-memory $(BUILD)/src/cli/tavrimo-sheets

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
	@cmake -S . -B $(PKG_BUILD) -DCMAKE_BUILD_TYPE=Release -DTAVRIMO_BENCH=OFF \
	  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
	@cmake --build $(PKG_BUILD) -j$(JOBS) --target tavrimo tavrimo-sheets
	@rm -f $(PKG_BUILD)/tavrimo_*.deb
	cd $(PKG_BUILD) && cpack -G DEB
	./scripts/check-package $(PKG_BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(PKG_BUILD)
