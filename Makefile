# The two set-up commands of the README. Both install missing build dependencies first.
BUILD_DIR ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: run test deps configure build

run: build
	$(BUILD_DIR)/src/cli/qe2m4 --help

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j$(JOBS)

deps:
	scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)
