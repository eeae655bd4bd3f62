# Front door for developers and CI. Every target installs what is missing first.
# SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan.
ifeq ($(SANITIZE),1)
BUILD ?= build-asan
SANITIZE_FLAGS := -DTROVA_SANITIZE=ON
endif
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Sanitizer options for the runs (the build's own tool runs included): any finding ends the
# process with an error; leaks are not reported (modules keep some memory to the very end on
# purpose, and the leak checker cannot stop the world under the i386 emulator: it would hang).
# A small quarantine of freed blocks: a 32-bit process under the emulator shares its address
# space with the emulator, and the default quarantine exhausts it in allocation-heavy tests.
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=0:abort_on_error=0:halt_on_error=1:quarantine_size_mb=16 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all setup configure build test run bench fuzz install package clean

all: build

setup:
	@./tools/setup

$(BUILD)/CMakeCache.txt:
	@$(MAKE) --no-print-directory setup
	cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/i386-toolchain.cmake $(CMAKE_FLAGS) $(SANITIZE_FLAGS)

configure: setup $(BUILD)/CMakeCache.txt

build: configure
	$(SANITIZER_ENV) cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && $(SANITIZER_ENV) TROVA_PLATFORM=headless ctest --output-on-failure -j $(JOBS)

run: build
	@./tools/run-pictorra.sh $(BUILD)

# make install [PREFIX=/usr/local] [DESTDIR=staging folder]: Pictorra as a desktop tool (dist/).
PREFIX ?= /usr/local
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX) --strip

# make package: BUILD/pictorra_VERSION_i386.deb.
package: build
	cd $(BUILD) && cpack -G DEB

bench: build
	@bench/run.sh $(BUILD)/bench

# Seeded mutation runs over program images, pictures and script files (tests/fuzz/run.sh);
# not part of test. FUZZ_RUNS inputs per target, FUZZ_SEED for the sequence.
FUZZ_RUNS ?= 2000
FUZZ_SEED ?= 1
fuzz: configure
	@$(SANITIZER_ENV) tests/fuzz/run.sh $(BUILD) $(FUZZ_RUNS) $(FUZZ_SEED)

clean:
	rm -rf $(BUILD)
