# Two commands a newcomer needs: `make run` and `make test`. Both install what
# they need first (scripts/setup.sh is idempotent).
BUILD ?= build
CMAKE_FLAGS = -G Ninja -Wno-dev

.PHONY: setup build run test bench dist fuzz clean

setup:
	@bash scripts/setup.sh $(BUILD)

# native: portable code with sanitizers; win32: the shipped 32-bit program;
# win64: its 64-bit twin. Every target is built for both Windows widths.
build: setup
	@cmake -S . -B $(BUILD)/native $(CMAKE_FLAGS) >/dev/null
	@ninja -C $(BUILD)/native
	@cmake -S . -B $(BUILD)/win64 $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-x86_64.cmake >/dev/null
	@ninja -C $(BUILD)/win64
	@cmake -S . -B $(BUILD)/win32 $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake >/dev/null
	@ninja -C $(BUILD)/win32

run: build
	@bash scripts/run.sh $(BUILD)

test: build
	@bash scripts/test.sh $(BUILD)

bench: build
	@bash scripts/bench.sh $(BUILD)

# What a Windows user downloads, in dist/: the per-user MSI, the portable zip,
# SHA256SUMS and the winget manifests, all from the shipped 32-bit exe (the
# only target this builds).
dist: setup
	@cmake -S . -B $(BUILD)/win32 $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake >/dev/null
	@ninja -C $(BUILD)/win32 Vantacle
	@bash scripts/dist.sh $(BUILD)/win32/Vantacle.exe dist

clean:
	rm -rf $(BUILD) dist

# Fuzzes the stored icon-list reader for ten minutes (clang with libFuzzer).
fuzz: setup
	@bash tests/fuzz/build-and-run.sh $(BUILD)/fuzz 600
