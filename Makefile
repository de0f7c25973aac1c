# The two set-up commands of the README. Both install missing build dependencies first.
# Every build folder is configured from a preset of CMakePresets.json (cmake --list-presets):
# PRESET names it (default: RelWithDebInfo), BUILD_DIR the folder, CMAKE_FLAGS adds options
# (the launcher ccache, a build type).
PRESET ?= default
BUILD_DIR ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: run test deps configure build sanitize-test

# Converts the sample boring of examples/ into a fresh destination tree under the build folder:
# drive S: is the examples folder (its Patdat32.ini names S:\PATDAT\), drive D: the new tree.
SAMPLE_DEST = $(BUILD_DIR)/sample-destination
run: build
	rm -rf $(SAMPLE_DEST) && mkdir -p $(SAMPLE_DEST)
	$(BUILD_DIR)/src/cli/qe2m4 convert --drive S=examples --drive D=$(SAMPLE_DEST) \
	  --system-dir examples --yes 'S:\BORING1' 'D:\TYUJYOU\A1234\B\C'

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j$(JOBS)

# Every test under AddressSanitizer and UndefinedBehaviorSanitizer (Debug, build-sanitize/).
SANITIZE_BUILD_DIR ?= build-sanitize
sanitize-test:
	ASAN_OPTIONS=halt_on_error=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  $(MAKE) test PRESET=sanitizers BUILD_DIR=$(SANITIZE_BUILD_DIR)

# The batch's tests (its worker threads, and batch runs of the program itself) under
# ThreadSanitizer, in build-tsan/: only those test programs and the program are built.
.PHONY: tsan-test
tsan-test: deps
	cmake --preset tsan $(CMAKE_FLAGS)
	cmake --build --preset tsan -j$(JOBS)
	ctest --preset tsan -j$(JOBS)

deps:
	scripts/install-deps.sh

configure: deps
	cmake --preset $(PRESET) -B $(BUILD_DIR) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

# Opens the window on the sample boring: drive S: is examples/ (the program starts there, so the
# folder lists show S:\BORING1), drive D: a fresh destination tree holding \TYUJYOU, and the
# sample's PATDAT is copied beside the program so that start-up finds it at once.
.PHONY: gui
GUI_PROGRAM = $(abspath $(BUILD_DIR))/src/app/window/qe2m4-gui
GUI_DEST = $(abspath $(BUILD_DIR))/gui-destination
gui: build
	rm -rf $(GUI_DEST) && mkdir -p $(GUI_DEST)/TYUJYOU
	rm -rf $(dir $(GUI_PROGRAM))PATDAT && cp -r examples/PATDAT $(dir $(GUI_PROGRAM))PATDAT
	cd examples && $(GUI_PROGRAM) --drive S=. --drive D=$(GUI_DEST) --system-dir .

# Windows x64, cross-built here with MinGW-w64 (cmake/toolchain-mingw64.cmake): qe2m4.exe,
# qe2m4-gui.exe (the Win32 window) and every test program but the Qt window's, linked statically.
# windows-test runs the whole suite under Wine, in a Wine prefix of the build folder's own, then
# converts the sample with both builds and compares the two destination trees byte for byte.
WINDOWS_BUILD_DIR ?= build-windows
WINDOWS_PREFIX = $(abspath $(WINDOWS_BUILD_DIR))/wineprefix
.PHONY: windows windows-test
windows:
	scripts/install-deps.sh windows
	cmake --preset windows -B $(WINDOWS_BUILD_DIR) $(CMAKE_FLAGS)
	cmake --build $(WINDOWS_BUILD_DIR) -j$(JOBS)

windows-test: windows build
	WINEPREFIX=$(WINDOWS_PREFIX) ctest --test-dir $(WINDOWS_BUILD_DIR) --output-on-failure -j$(JOBS)
	WINEPREFIX=$(WINDOWS_PREFIX) scripts/compare-windows-sample.sh $(BUILD_DIR) $(WINDOWS_BUILD_DIR)

# Whole-conversion benchmark: a Release build in its own folder converts a large generated boring
# (30,000 records in every X file), timed side by side with the iconv round trip and cat of the
# same bytes; prints the medians, their ratios and the peak memory. BENCH_ARGS passes options
# (--records N, --runs N) to bench/whole_conversion.py.
.PHONY: bench
BENCH_DIR = build-bench
BENCH_ARGS ?=
bench: bench-program
	python3 bench/whole_conversion.py --program $(BENCH_DIR)/src/cli/qe2m4 $(BENCH_ARGS)

.PHONY: bench-program
bench-program: deps
	cmake --preset bench -B $(BENCH_DIR) $(CMAKE_FLAGS)
	cmake --build $(BENCH_DIR) -j$(JOBS) --target qe2m4

# The same, with the Windows build (Release, make windows) converting the same boring under Wine
# in each run: the two builds' times side by side.
.PHONY: bench-windows
bench-windows: bench-program windows
	python3 bench/whole_conversion.py --program $(BENCH_DIR)/src/cli/qe2m4 \
	  --windows-program $(WINDOWS_BUILD_DIR)/src/cli/qe2m4.exe $(BENCH_ARGS)

# The packages of the README's Packages section, made by CPack into $(PACKAGE_DIR): the Debian
# package of the Linux build and, where the tree has the Windows cross build (make windows), the
# zip and the installer of the Windows build.
.PHONY: package
PACKAGE_DIR = $(abspath $(BUILD_DIR))/packages
package: build
	rm -rf $(PACKAGE_DIR)
	cd $(BUILD_DIR) && cpack -B $(PACKAGE_DIR)
ifneq ($(wildcard cmake/toolchain-mingw64.cmake),)
	$(MAKE) windows
	cd $(WINDOWS_BUILD_DIR) && cpack -B $(PACKAGE_DIR)
endif
	rm -rf $(PACKAGE_DIR)/_CPack_Packages
	ls -l $(PACKAGE_DIR)

# Batch conversion against a shell loop of single conversions: 1,000 copies of the sample,
# side by side, and the batch's peak memory for 100 and for 1,000 borings.
.PHONY: bench-batch
bench-batch: build
	bench/batch_vs_convert.sh $(BUILD_DIR)/src/cli/qe2m4 1000 100

# Long fuzzing: every libFuzzer target of fuzz/ for FUZZ_SECONDS each, one after another, with
# the formats' dictionary (scripts/fuzz.sh, built with clang into build-fuzz); prints each
# target's runs, runs a second, coverage and result. FUZZ_TARGETS names some targets only.
.PHONY: fuzz
FUZZ_SECONDS ?= 1800
FUZZ_TARGETS ?=
fuzz: deps
	CMAKE_FLAGS="$(CMAKE_FLAGS)" scripts/fuzz.sh $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# Rewrites the golden output trees of tests/golden/ with this build's qe2m4 (see README,
# Golden output trees): only when a change of the output is intended.
.PHONY: golden-refresh
golden-refresh: build
	cmake --build $(BUILD_DIR) -j$(JOBS) --target golden_refresh

# The pictures of the windows in README.ja.md and README.md (docs/*.png), taken anew: the Linux
# window and the Windows window (under Wine), each for a Japanese user (Japanese locale and UI
# font), at start-up and through the sample's first conversion, driven on a virtual X server by
# scripts/window-screenshot.sh and scripts/window-windows-screenshot.sh. Builds only the two
# window programs.
.PHONY: screenshots
screenshots: configure
	scripts/install-deps.sh screenshots
	cmake --build $(BUILD_DIR) -j$(JOBS) --target qe2m4-gui
	scripts/window-screenshot.sh $(BUILD_DIR) docs
	scripts/install-deps.sh windows
	cmake --preset windows -B $(WINDOWS_BUILD_DIR) $(CMAKE_FLAGS)
	cmake --build $(WINDOWS_BUILD_DIR) -j$(JOBS) --target qe2m4-gui
	scripts/window-windows-screenshot.sh $(WINDOWS_BUILD_DIR) docs
