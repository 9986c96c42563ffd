# Set-up, build and checks. Every target installs what is missing first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=
FUZZ_BUILD ?= build-fuzz
PKG_BUILD  ?= build-pkg

.PHONY: all deps configure build run test sanitize bench fuzz package clean web-site web web-tools web-test web-bench

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
	@$(MAKE) --no-print-directory web-test

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

# The web edition: the core compiled to WebAssembly with the page around it,
# built into $(WEB_BUILD)/site and served on http://127.0.0.1:8080/.
WEB_BUILD ?= build-web
WEB_JOBS  ?= 2

web-site: deps
	@JOBS=$(WEB_JOBS) ./scripts/build-web-site $(WEB_BUILD)

web: web-site
	node scripts/serve-web.mjs $(WEB_BUILD)/site 8080

# The test tools, pinned in package-lock.json.
web-tools:
	@[ -d node_modules/playwright-core ] || npm ci --no-audit --no-fund

# The engine in Node and the page in headless Chromium; the pixel check
# compares with tavrimo-sheets, so that is built too.
web-test: web-site web-tools configure
	@cmake --build $(BUILD) -j$(WEB_JOBS) --target tavrimo-sheets
	TAVRIMO_SITE=$(WEB_BUILD)/site TAVRIMO_SHEETS=$(BUILD)/src/cli/tavrimo-sheets node --test tests/web/

web-bench: web-site web-tools
	node scripts/web-bench.mjs $(WEB_BUILD)/site

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(PKG_BUILD) $(WEB_BUILD)
