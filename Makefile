# Thin wrapper around CMake and CTest.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# Where `make install` puts the program; DESTDIR, if given, is put in front.
PREFIX ?= /usr/local

.PHONY: all configure run test install package clean

all: configure
	@cmake --build $(BUILD) -j $(JOBS) -- --no-print-directory

configure:
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null

run: all
	@./$(BUILD)/wellen743

test: all
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

install: all
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

package: all
	@cmake --build $(BUILD) --target package

clean:
	@rm -rf $(BUILD)

.PHONY: bench
bench: all
	@./$(BUILD)/wellen_benchmark

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
