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
