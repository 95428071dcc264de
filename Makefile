# Thin front over the CMake presets. `make test` and `make run` install what is missing first.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: all setup native release fuzz win64 win32 test test-native test-win64 test-fuzz run bench bench-program dist clean

all: native win64 win32

setup:
	@tools/setup.sh

native release fuzz win64 win32: setup
	cmake --preset $@ >/dev/null
	cmake --build build/$@ -j$(JOBS)

test: setup native win64 win32 fuzz
	$(MAKE) test-native test-win64 test-fuzz

test-native:
	ctest --test-dir build/native --output-on-failure

test-win64:
	tools/with-display ctest --test-dir build/win64 --output-on-failure

test-fuzz:
	tools/run-fuzz build/fuzz $(FUZZ_SECONDS)

# Builds the program and lvdtool, makes the sample study list and starts Lorvant on it (tools/run-lorvant).
run: setup
	cmake --preset win64 >/dev/null
	cmake --build build/win64 -j$(JOBS) --target Lorvant lorvant_help
	cmake --preset release >/dev/null
	cmake --build build/release -j$(JOBS) --target lvdtool
	tools/run-lorvant

bench: release
	tools/run-bench build/release

# The running program under wine: builds it, its benchmark and lvdtool, then times it on a 999,999-item list.
bench-program: setup
	cmake --preset win64 >/dev/null
	cmake --build build/win64 -j$(JOBS) --target bench_program
	cmake --preset release >/dev/null
	cmake --build build/release -j$(JOBS) --target lvdtool
	tools/bench-program

# What users download, in dist/: the x64 setup program and a portable zip of each build.
dist: setup
	cmake --preset win64 >/dev/null
	cmake --build build/win64 -j$(JOBS) --target lorvant_dist
	cmake --preset win32 >/dev/null
	cmake --build build/win32 -j$(JOBS) --target lorvant_dist
	mkdir -p dist
	cp build/win64/dist/* build/win32/dist/* dist/

clean:
	rm -rf build dist
