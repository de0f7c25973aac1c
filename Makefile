# The two set-up commands of the README. Both install missing build dependencies first.
BUILD_DIR ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: run test deps configure build

# Converts the sample boring of examples/ into a fresh destination tree under the build folder:
# drive S: is the examples folder (its Patdat32.ini names S:\PATDAT\), drive D: the new tree.
SAMPLE_DEST = $(BUILD_DIR)/sample-destination
run: build
	rm -rf $(SAMPLE_DEST) && mkdir -p $(SAMPLE_DEST)
	$(BUILD_DIR)/src/cli/qe2m4 convert --drive S=examples --drive D=$(SAMPLE_DEST) \
	  --system-dir examples --yes 'S:\BORING1' 'D:\TYUJYOU\A1234\B\C'

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j$(JOBS)

deps:
	scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)
