# Thin wrapper around CMake and CTest.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all configure run test fuzz clean

all: configure
	@cmake --build $(BUILD) -j $(JOBS) -- --no-print-directory

configure:
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null

run: all
	@./$(BUILD)/wellen743

test: all
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Fuzzing: a clang build with libFuzzer and the sanitizers in $(FUZZ_BUILD),
# then every fuzz target for FUZZ_SECONDS seconds (tests/fuzz/run.sh).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

fuzz:
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DWELLEN_FUZZ=ON -DWELLEN_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target dialogue_fuzzer value_reader_fuzzer \
	  -- --no-print-directory
	@tests/fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	@rm -rf $(BUILD)
