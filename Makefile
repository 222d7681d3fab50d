# Front door of the project. `make run` builds and routes the example board; `make test` checks the
# formatting, runs the whole test suite, builds every target in Release and runs the suite there
# too, runs it again under AddressSanitizer and UndefinedBehaviorSanitizer, runs the
# application-layer and thread tests under ThreadSanitizer, and fuzzes each input reader for 30 s.
# `make install` (PREFIX, DESTDIR) and `make package` (a .deb that lintian must pass) use a Release
# build of the programs.
BUILD ?= build
ASAN_BUILD ?= build-asan
RELEASE_BUILD ?= build-release
# The Release tree holds every target (the desktop program, the tests and the benchmarks), so that
# `make test` and `make bench` share it; the option is given because the cache would keep an older one.
RELEASE_CONFIG = -DCMAKE_BUILD_TYPE=Release -DZELTA_UI=ON -DZELTA_BENCH=ON
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
PACKAGE_BUILD ?= build-package
PREFIX ?= /usr/local
DESTDIR ?=
# Seconds per fuzz target: `make fuzz` (FUZZ_SECONDS=1800 for a long run) and in `make test`.
FUZZ_SECONDS ?= 60
TEST_FUZZ_SECONDS ?= 30
# The tests that run under ThreadSanitizer: those where the worker thread runs beside the
# commands (the whole suite would take several times longer there and adds no thread).
TSAN_TESTS ?= ThreadStress|Program|FuzzRegressions|Writer|RoundTrip|Faults
JOBS ?= $(shell nproc)

.PHONY: all deps build test test-plain test-release test-asan test-tsan test-fuzz fuzz fuzz-build bench quality \
	run screenshot package-build install package format format-check clean

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
	@cmake --build $(BUILD) -j$(JOBS)

test: format-check test-plain test-release test-asan test-tsan test-fuzz

test-plain: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

test-release: deps
	@cmake -S . -B $(RELEASE_BUILD) $(RELEASE_CONFIG) > /dev/null
	@cmake --build $(RELEASE_BUILD) -j$(JOBS)
	ctest --test-dir $(RELEASE_BUILD) --output-on-failure -j$(JOBS)

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELTA_SANITIZE=ON -DZELTA_BENCH=OFF > /dev/null
	@cmake --build $(ASAN_BUILD) -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS)

test-tsan: deps
	@cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELTA_TSAN=ON > /dev/null
	@cmake --build $(TSAN_BUILD) -j$(JOBS) --target zelta_tests
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	    ctest --test-dir $(TSAN_BUILD) --output-on-failure -j$(JOBS) -R '$(TSAN_TESTS)'

fuzz-build: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELTA_FUZZ=ON > /dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS)

fuzz: fuzz-build
	FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run $(FUZZ_BUILD)

test-fuzz: fuzz-build
	FUZZ_SECONDS=$(TEST_FUZZ_SECONDS) fuzz/run $(FUZZ_BUILD)

bench: deps
	@cmake -S . -B $(RELEASE_BUILD) $(RELEASE_CONFIG) > /dev/null
	@cmake --build $(RELEASE_BUILD) -j$(JOBS) --target zelta_bench
	$(RELEASE_BUILD)/bench/zelta_bench

# Routing quality over the shared boards, classic against negotiated (bench/quality-table says how;
# ZELTA_BOARDS, CLASSIC_LAPS and BOARDS change what it runs).
quality: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target zelta-cli
	ZELTA_CLI=$(BUILD)/zelta-cli bench/quality-table
scaling: build ; ZELTA_CLI=$(BUILD)/zelta-cli bench/scaling-table

run: build
	$(BUILD)/zelta-cli route examples/demo.fcd -o $(BUILD)/demo-routed.fcd --ini examples/demo.ini --laps 40
	@echo "Routed board written to $(BUILD)/demo-routed.fcd"

# The demo board routes completely; three laps of the dense board leave pads unconnected, so
# that its board view shows the marks and the rat lines.
screenshot: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/zelta-screenshot --board examples/demo.fcd --ini examples/demo.ini \
	    --laps 5 --out $(BUILD)/screenshots
	QT_QPA_PLATFORM=offscreen $(BUILD)/zelta-screenshot --board tests/data/boards/dense-150pads.fcd \
	    --ini tests/data/boards/auto-layer0.ini --laps 3 --out $(BUILD)/screenshots/dense

# Only the two programs and their manual pages are built: the tests and benchmarks are not part
# of what is installed, and installing (cpack too) does not build everything first.
package-build: deps
	@cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DZELTA_BENCH=OFF \
	    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON > /dev/null
	@cmake --build $(PACKAGE_BUILD) -j$(JOBS) --target zelta zelta-cli zelta_docs

install: package-build
	DESTDIR="$(DESTDIR)" cmake --install $(PACKAGE_BUILD) --prefix "$(PREFIX)" --strip

# The package is refused unless lintian finds neither an error nor a warning in it.
package: package-build
	rm -f $(PACKAGE_BUILD)/*.deb
	cd $(PACKAGE_BUILD) && cpack -G DEB
	lintian --fail-on error,warning --tag-display-limit 0 $(PACKAGE_BUILD)/*.deb
	@ls $(PACKAGE_BUILD)/*.deb

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

# Every source file as clang-format writes it; `make format` mends what this finds.
format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(RELEASE_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD)
