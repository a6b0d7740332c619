# The two commands a developer needs: `make run` and `make test`.
# `make` alone builds the ready-to-copy program folder build/bin.

BUILD      := build
NATIVE_DIR := $(BUILD)/native
WIN_DIR    := $(BUILD)/win
BIN_DIR    := $(CURDIR)/$(BUILD)/bin
PREFIX_DIR := $(BUILD)/wineprefix
JOBS       ?= $(shell nproc)

.PHONY: all deps native windows test test-native test-windows run bench fuzz dist docs clean

all: windows

deps:
	@tools/install-deps

$(NATIVE_DIR)/build.ninja: | deps
	cmake -S . -B $(NATIVE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSALY_SANITIZE=ON

$(WIN_DIR)/build.ninja: | deps
	cmake -S . -B $(WIN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DTESSALY_BIN_DIR=$(BIN_DIR)

native: deps $(NATIVE_DIR)/build.ninja
	cmake --build $(NATIVE_DIR) -j $(JOBS)

windows: deps $(WIN_DIR)/build.ninja
	cmake --build $(WIN_DIR) -j $(JOBS)

# A test that hangs fails after five minutes instead of holding the run.
test: native windows
	@status=0; \
	echo "== Native tests"; \
	ctest --test-dir $(NATIVE_DIR) -j $(JOBS) --timeout 300 --output-on-failure || status=1; \
	echo "== Windows tests (Wine)"; \
	TESSALY_XVFB=1 tools/with-wine $(PREFIX_DIR) \
	    ctest --test-dir $(WIN_DIR) --timeout 300 --output-on-failure || status=1; \
	exit $$status

test-native: native
	ctest --test-dir $(NATIVE_DIR) -j $(JOBS) --output-on-failure

test-windows: windows
	TESSALY_XVFB=1 tools/with-wine $(PREFIX_DIR) ctest --test-dir $(WIN_DIR) --output-on-failure

run: windows
	tools/with-wine $(PREFIX_DIR) tools/run-corvale $(BIN_DIR) $(BUILD)/screenshots

bench: native windows
	tools/run-benchmarks $(NATIVE_DIR) $(WIN_DIR) $(PREFIX_DIR)

# The release archive for Windows users: build/dist/tessaly-<version>-win64.zip.
dist: windows
	@tools/make-dist $(BIN_DIR) $(BUILD)/dist $$(cat $(WIN_DIR)/version.txt)

# The pictures of docs/user-guide.md, made again from the real windows.
docs: windows
	tools/make-docs $(WIN_DIR) $(PREFIX_DIR)

clean:
	rm -rf $(BUILD)

fuzz:
	tools/run-fuzzer 60
