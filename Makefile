# Thin wrapper around CMake and CTest.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# Where `make install` puts the program; DESTDIR, if given, is put in front.
PREFIX ?= /usr/local
# `make install` builds in a tree of its own, without the tests and the
# benchmarks, so that it needs neither GoogleTest nor Google Benchmark and
# builds only what it installs.
INSTALL_BUILD ?= build-install

.PHONY: all configure run test install install-configure package fuzz clean

all: configure
	@cmake --build $(BUILD) -j $(JOBS) -- --no-print-directory

configure:
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null

run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target wellen743 -- --no-print-directory
	@./$(BUILD)/wellen743

test: all
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

install-configure:
	@cmake -S . -B $(INSTALL_BUILD) -DCMAKE_BUILD_TYPE=Release -DWELLEN_TESTS=OFF \
	  -DWELLEN_BENCHMARKS=OFF $(CMAKE_FLAGS) >/dev/null

install: install-configure
	@cmake --build $(INSTALL_BUILD) -j $(JOBS) -- --no-print-directory
	@DESTDIR="$(DESTDIR)" cmake --install $(INSTALL_BUILD) --prefix "$(PREFIX)"

package: all
	@cmake --build $(BUILD) --target package

# Fuzzing: a clang build with libFuzzer and the sanitizers in $(FUZZ_BUILD),
# then every fuzz target for FUZZ_SECONDS seconds (tests/fuzz/run.sh).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

fuzz:
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DWELLEN_FUZZ=ON -DWELLEN_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) \
	  --target dialogue_fuzzer value_reader_fuzzer csv_reader_fuzzer batch_rows_fuzzer \
	    welle_reader_fuzzer \
	  -- --no-print-directory
	@tests/fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	@rm -rf $(BUILD) build-sanitize $(FUZZ_BUILD) $(INSTALL_BUILD)

.PHONY: bench
bench: all
	@./$(BUILD)/wellen_benchmark
	@./$(BUILD)/wellen_batch_benchmark

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
.PHONY: test-sanitize
test-sanitize:
	@cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWELLEN_SANITIZE=ON \
	  -DWELLEN_BENCHMARKS=OFF >/dev/null
	@cmake --build build-sanitize -j $(JOBS) -- --no-print-directory
	@cd build-sanitize && ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# Static analysis of src/: clang-tidy (checks in .clang-tidy) and cppcheck.
.PHONY: lint
lint: all
	@clang-tidy -p $(BUILD) --quiet src/*/*.cpp 2>/dev/null  # stderr only counts suppressed notes
	@cppcheck --enable=warning,performance,portability,style --std=c++20 --inline-suppr \
	  --error-exitcode=1 --quiet -I src src
