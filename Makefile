# The user's door: `make run` and `make test` each do everything from a
# fresh Debian 12 machine on.

# The trees and their options are CMakePresets.json's; these are their folders.
BUILD      := build
NATIVE     := $(BUILD)/native
FUZZ       := $(BUILD)/fuzz
WIN32      := $(BUILD)/win32
# The tree whose programs Wine runs here: the product tree itself, or a
# 64-bit build of the same sources where the kernel cannot run 32-bit code.
# Asked once, at its first use: that is in a recipe, after `make deps` has
# installed Wine, which a fresh machine has not when this file is read.
WINE_ARCH   = $(eval WINE_ARCH := $(shell tools/wine-arch.sh))$(WINE_ARCH)
WINE_PRESET = $(if $(filter i686,$(WINE_ARCH)),win32,win64)
WINE_TREE   = $(BUILD)/$(WINE_PRESET)
RUN_PREFIX ?= $(if $(WINEPREFIX),$(WINEPREFIX),$(abspath $(BUILD))/wine-run)
ARGS       ?= /s
JOBS       ?= $(shell nproc)
JOBS       := $(JOBS)
FUZZ_SECONDS ?= 60

.PHONY: deps build test run fuzz bench screenshots faults dist clean

deps:
	@tools/deps.sh

build: deps
	@cmake --preset native >/dev/null && cmake --build --preset native -j$(JOBS)
	@cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j$(JOBS)
	@cmake --preset win32 >/dev/null && cmake --build --preset win32 -j$(JOBS)
	@if [ $(WINE_PRESET) != win32 ]; then \
	    cmake --preset $(WINE_PRESET) >/dev/null && cmake --build --preset $(WINE_PRESET) -j$(JOBS); fi

test: build
	@cd $(NATIVE) && ctest --output-on-failure
	@echo "Fuzz programs, 50 000 repeatable inputs each from their seeds:"
	@tools/fuzz.sh runs 50000 $(FUZZ)
	@tests/wine-session.sh $(abspath $(WINE_TREE))/wineprefix \
	    ctest --test-dir $(WINE_TREE) --output-on-failure
	@echo "The same bytes from a second build in another folder:"
	@tools/check-reproducible.sh $(WIN32) $(BUILD)/reproduced
	@echo "The shipped i386 program and setup, end to end (minutes where they run under emulation):"
	@tools/with-i386.sh timeout 900 tests/wine-session.sh $(abspath $(WIN32))/wineprefix \
	    tests/shipped.sh $(WIN32)/Quorbel.scr $(WIN32)/$(shell cat $(WIN32)/setup-name)

run: build
	@if [ ! -f $(WINE_TREE)/Quorbel.scr ]; then \
	    echo "The screen saver is not built yet ($(WINE_TREE)/Quorbel.scr)."; exit 1; fi
	@tests/wine-session.sh $(RUN_PREFIX) tools/run-saver.sh $(WINE_TREE)/Quorbel.scr $(ARGS)

# Every fuzz program for FUZZ_SECONDS each, or FUZZ_RUNS inputs each.
fuzz: build
	@tools/fuzz.sh $(if $(FUZZ_RUNS),runs $(FUZZ_RUNS),seconds $(FUZZ_SECONDS)) $(FUZZ)

# Figures to read, not checks: the screen saver beside a bare window, the
# settings dialog per keystroke and the shipped file's size.
bench: build
	@tests/wine-session.sh $(RUN_PREFIX) tools/bench.sh $(abspath $(WINE_TREE)) \
	    $(WIN32)/Quorbel.scr

# The README's pictures, from the real program in the tests' own prefix.
screenshots: build
	@tests/wine-session.sh $(abspath $(WINE_TREE))/wineprefix tools/screenshots.sh \
	    $(WINE_TREE)/Quorbel.scr docs

# Every Windows function the program reaches, refused at each of its calls
# in turn on the real program file; the table of outcomes goes into the
# README. A prefix of its own: the sweep turns Wine's crash dialog off.
faults: build
	@tests/wine-session.sh $(abspath $(WINE_TREE))/wine-faults tools/faults.sh $(WINE_TREE)

# The release folder: the program, its setup and their checksums.
dist: build
	@rm -rf dist && mkdir dist
	@cp $(WIN32)/Quorbel.scr $(WIN32)/$(shell cat $(WIN32)/setup-name) dist/
	@cd dist && sha256sum Quorbel.scr Quorbel-*-setup.exe >SHA256SUMS && cat SHA256SUMS

clean:
	rm -rf $(BUILD) dist
