# The user's door: `make run` and `make test` each do everything from a
# fresh Debian 12 machine on.

BUILD      := build
NATIVE     := $(BUILD)/native
FUZZ       := $(BUILD)/fuzz
WIN32      := $(BUILD)/win32
# The tree whose programs Wine runs here: the product tree itself, or a
# 64-bit build of the same sources where the kernel cannot run 32-bit code.
WINE_ARCH   = $(shell tools/wine-arch.sh)
WINE_TREE   = $(if $(filter i686,$(WINE_ARCH)),$(WIN32),$(BUILD)/win64)
RUN_PREFIX ?= $(if $(WINEPREFIX),$(WINEPREFIX),$(abspath $(BUILD))/wine-run)
ARGS       ?= /s
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: deps build test run fuzz bench screenshots dist clean

deps:
	@tools/deps.sh

build: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE) -j$(JOBS)
	@cmake -S . -B $(FUZZ) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/clang.cmake -DQUORBEL_FUZZ=ON \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(FUZZ) -j$(JOBS)
	@cmake -S . -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw.cmake -DMINGW_ARCH=i686 \
	    -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
	@cmake --build $(WIN32) -j$(JOBS)
	@if [ "$(WINE_TREE)" != "$(WIN32)" ]; then \
	    cmake -S . -B $(WINE_TREE) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw.cmake \
	        -DMINGW_ARCH=$(WINE_ARCH) -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null && \
	    cmake --build $(WINE_TREE) -j$(JOBS); fi

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

# The release folder: the program, its setup and their checksums.
dist: build
	@rm -rf dist && mkdir dist
	@cp $(WIN32)/Quorbel.scr $(WIN32)/$(shell cat $(WIN32)/setup-name) dist/
	@cd dist && sha256sum Quorbel.scr Quorbel-*-setup.exe >SHA256SUMS && cat SHA256SUMS

clean:
	rm -rf $(BUILD) dist
