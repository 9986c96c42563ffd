# Set-up, build and checks. Every target installs what is missing first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all deps configure build run test sanitize bench clean

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
	$(BUILD)/bench/bench_drawing

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
