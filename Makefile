# Set-up, build and checks. Every target installs what is missing first. The
# configurations are the presets of CMakePresets.json.
JOBS ?= $(shell nproc)
FUZZ_BUILD ?= build-fuzz

.PHONY: all deps configure build run test sanitize bench fuzz package clean web-site web web-tools web-test web-bench

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
	@$(MAKE) --no-print-directory web-test

sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize -j$(JOBS)
	ctest --preset sanitize -j$(JOBS)

bench: build
	build/bench/bench_problems
	build/bench/bench_settings_sweep
	build/bench/bench_drawing
	xvfb-run -a -s '-screen 0 1024x768x24' build/bench/bench_window

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
	@cmake --build --preset dev -j$(WEB_JOBS) --target tavrimo-sheets
	TAVRIMO_SITE=$(WEB_BUILD)/site TAVRIMO_SHEETS=build/src/cli/tavrimo-sheets node --test tests/web/

web-bench: web-site web-tools
	node scripts/web-bench.mjs $(WEB_BUILD)/site

clean:
	rm -rf build build-asan $(FUZZ_BUILD) build-pkg $(WEB_BUILD)
