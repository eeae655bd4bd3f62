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
	@./tools/run-pictorra.sh $(BUILD)

bench: build
	@for b in $(BUILD)/bench/*; do [ -x "$$b" ] && echo "== $$b" && "$$b"; done

clean:
	rm -rf $(BUILD)
