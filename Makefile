# Set-up, build and checks. Every target first installs the Debian packages it
# needs and nothing more (scripts/install-deps, by group; make deps installs
# them all). The configurations are the presets of CMakePresets.json.
JOBS ?= $(shell nproc)
FUZZ_BUILD ?= build-fuzz
DEPS := ./scripts/install-deps

.PHONY: all deps configure build run test sanitize bench fuzz package clean web-site web web-tools web-test web-bench

all: build

deps:
	@$(DEPS)

# The dev configuration once the packages of the given groups are in: the
# window alone configures without the tests' libraries, and picks them up
# when a later command has installed them.
define configure
@$(DEPS) $(1)
@cmake --preset dev >/dev/null
endef

configure:
	$(call configure,window)

build:
	$(call configure,window checks)
	@cmake --build --preset dev -j$(JOBS)

run:
	$(call configure,window)
	@cmake --build --preset dev -j$(JOBS) --target tavrimo
	build/src/app/tavrimo

# Every test: the full build, then the core again under ASan and UBSan.
test:
	@$(DEPS)
	@$(MAKE) --no-print-directory build
	ctest --preset dev -j$(JOBS)
	@$(MAKE) --no-print-directory sanitize
	@$(MAKE) --no-print-directory web-test

sanitize:
	@$(DEPS) window checks
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize -j$(JOBS)
	ctest --preset sanitize -j$(JOBS)

bench: build
	build/bench/bench_problems
	build/bench/bench_settings_sweep
	build/bench/bench_mixed_sweep
	build/bench/bench_drawing
	build/bench/bench_worked_answer
	xvfb-run -a -s '-screen 0 1024x768x24' build/bench/bench_window
	./bench/cli-peak-memory build/src/cli/tavrimo-sheets

# The libFuzzer targets (fuzz/, built with clang) under ASan and UBSan, each
# for a fixed number of runs; FUZZ_SCALE multiplies the runs.
FUZZ_SCALE ?= 1
fuzz:
	@$(DEPS) fuzz
	@cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS)
	./fuzz/run $(FUZZ_BUILD) $(FUZZ_SCALE)

# The Debian package (CPack), then its checks: desktop entry and metainfo
# validated, the .deb unpacked into a temporary root and its command line run.
package:
	@$(DEPS) window package
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j$(JOBS)
	@rm -f build-pkg/tavrimo_*.deb
	cd build-pkg && cpack -G DEB
	./scripts/check-package build-pkg

# The web edition: the core compiled to WebAssembly with the page around it,
# built into $(WEB_BUILD)/site and served on http://127.0.0.1:8080/.
WEB_BUILD ?= build-web
WEB_JOBS  ?= 2

web-site:
	@$(DEPS) web
	@JOBS=$(WEB_JOBS) ./scripts/build-web-site $(WEB_BUILD)

web: web-site
	node scripts/serve-web.mjs $(WEB_BUILD)/site 8080

# The test tools, pinned in package-lock.json.
web-tools:
	@[ -d node_modules/playwright-core ] || npm ci --no-audit --no-fund

# The engine in Node and the page in headless Chromium; the pixel check
# compares with tavrimo-sheets, so that is built too.
web-test: web-site web-tools
	$(call configure,window browser)
	@cmake --build --preset dev -j$(WEB_JOBS) --target tavrimo-sheets
	TAVRIMO_SITE=$(WEB_BUILD)/site TAVRIMO_SHEETS=build/src/cli/tavrimo-sheets node --test tests/web/

web-bench: web-site web-tools
	@$(DEPS) browser
	node scripts/web-bench.mjs $(WEB_BUILD)/site

clean:
	rm -rf build build-asan $(FUZZ_BUILD) build-pkg $(WEB_BUILD)
