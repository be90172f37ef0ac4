# The project's commands. `make run` and `make test` set up whatever is missing first.
BUILD_DIR ?= build
GENERATOR ?= Ninja
CMAKE_FLAGS ?=
# CI (.ci/run sets CI) builds with every warning an error.
ifneq ($(CI),)
CMAKE_FLAGS += -DTELLARIA_WARNINGS_AS_ERRORS=ON
endif
# Where ccache is installed (scripts/setup.sh installs it) every build goes through it, with paths
# taken relative to the tree, so that a fresh clone of the same sources builds from the cache.
CCACHE := $(shell command -v ccache 2>/dev/null)
ifneq ($(CCACHE),)
LAUNCHER_FLAGS = -DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE) -DCMAKE_C_COMPILER_LAUNCHER=$(CCACHE)
CMAKE_FLAGS += $(LAUNCHER_FLAGS)
export CCACHE_BASEDIR := $(CURDIR)
# Nor is the build directory's own path part of what is cached (only debug info names it).
export CCACHE_NOHASHDIR := 1
# Files compiled with a precompiled header (cmake/Precompiled.cmake) are cached too: ccache then
# goes by the header's contents, not by the macros and times it was made with.
export CCACHE_SLOPPINESS := pch_defines,time_macros,include_file_mtime,include_file_ctime
endif
# The core alone, built again with AddressSanitizer and UBSan (make test), and with clang for
# libFuzzer (make fuzz).
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
# Any report ends the test that made it, so a ctest pass means no reports.
SANITIZER_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
                UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

.PHONY: all setup configure build run test sanitize fuzz bench lint screenshots install package clean

all: build

setup:
	@bash scripts/setup.sh

# The benchmarks are built by make bench alone, which switches them on.
$(BUILD_DIR)/build.ninja: | setup
	cmake -S . -B $(BUILD_DIR) -G $(GENERATOR) -DTELLARIA_BUILD_BENCH=OFF $(CMAKE_FLAGS)

configure: setup $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR)

run: build
	@bash scripts/run.sh $(BUILD_DIR)/app/tellaria

# The tests run side by side, JOBS at a time; the sanitizer build and tests run beside the main
# build, and at the lowest priority once the program's tests run (scripts/test.sh).
test: configure
	@bash scripts/test.sh $(BUILD_DIR) $(ASAN_DIR) $(JOBS)

# Optimised at -O1, as AddressSanitizer's authors advise: the same checks, built in a third of
# the time -O2 takes.
$(ASAN_DIR)/CMakeCache.txt: | setup
	cmake -S . -B $(ASAN_DIR) -G $(GENERATOR) -DTELLARIA_CORE_ONLY=ON \
	    -DTELLARIA_SANITIZERS=address,undefined -DTELLARIA_BUILD_BENCH=OFF \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g -DNDEBUG" \
	    $(LAUNCHER_FLAGS)

sanitize: $(ASAN_DIR)/CMakeCache.txt
	cmake --build $(ASAN_DIR)
	$(SANITIZER_ENV) ctest --test-dir $(ASAN_DIR) --output-on-failure --parallel $(JOBS)

$(FUZZ_DIR)/CMakeCache.txt: | setup
	cmake -S . -B $(FUZZ_DIR) -G $(GENERATOR) -DCMAKE_CXX_COMPILER=clang++ \
	    -DTELLARIA_CORE_ONLY=ON -DTELLARIA_BUILD_FUZZ=ON -DTELLARIA_BUILD_TESTS=OFF \
	    -DTELLARIA_BUILD_BENCH=OFF

# Each target for FUZZ_SECONDS; new inputs stay in $(FUZZ_DIR)/corpus.
fuzz: $(FUZZ_DIR)/CMakeCache.txt
	cmake --build $(FUZZ_DIR)
	@bash fuzz/run.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

bench: configure
	cmake -S . -B $(BUILD_DIR) -DTELLARIA_BUILD_BENCH=ON
	cmake --build $(BUILD_DIR)
	@bash scripts/bench.sh $(BUILD_DIR)

lint: configure
	@bash scripts/lint.sh $(BUILD_DIR)

screenshots: build
	cmake --build $(BUILD_DIR) --target MakeScreenshots
	@bash scripts/screenshots.sh $(BUILD_DIR)

# PREFIX sets the install prefix (/usr/local until set) in the build's configuration and
# rebuilds: the program is told at build time where an installed copy lives. DESTDIR stages the
# whole tree.
install: configure
	$(if $(PREFIX),cmake -S . -B $(BUILD_DIR) -DCMAKE_INSTALL_PREFIX=$(PREFIX))
	cmake --build $(BUILD_DIR)
	cmake --install $(BUILD_DIR)

# The Debian package, copied here so that `apt-get install ./tellaria_*.deb` finds it.
package: build
	rm -f $(BUILD_DIR)/tellaria_*.deb
	cmake --build $(BUILD_DIR) --target package
	cp $(BUILD_DIR)/tellaria_*.deb .

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
