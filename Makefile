# Front door for developers and CI. Every target installs what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all setup configure build test run bench clean

all: build

setup:
	@./tools/setup

$(BUILD)/CMakeCache.txt:
	@$(MAKE) --no-print-directory setup
	cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/i386-toolchain.cmake $(CMAKE_FLAGS)

configure: setup $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && TROVA_PLATFORM=headless ctest --output-on-failure -j $(JOBS)

run: build
	@if [ -x $(BUILD)/bin/pictorra ]; then cd $(BUILD) && ./bin/pictorra; \
	else echo "Pictorra is not part of this build yet: running the bare runtime, which has no program attached."; \
	  $(BUILD)/bin/trova || true; fi

bench: build
	@bench/run.sh $(BUILD)/bench

clean:
	rm -rf $(BUILD)
