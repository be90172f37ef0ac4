# The project's commands. `make run` and `make test` set up whatever is missing first.
BUILD_DIR ?= build
GENERATOR ?= Ninja
CMAKE_FLAGS ?=

.PHONY: all setup configure build run test bench lint screenshots install package clean

all: build

setup:
	@bash scripts/setup.sh

$(BUILD_DIR)/build.ninja: | setup
	cmake -S . -B $(BUILD_DIR) -G $(GENERATOR) $(CMAKE_FLAGS)

configure: setup $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR)

run: build
	@bash scripts/run.sh $(BUILD_DIR)/app/tellaria

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure

bench: build
	@bash scripts/bench.sh $(BUILD_DIR)

lint: setup
	@bash scripts/lint.sh

screenshots: build
	@bash scripts/screenshots.sh $(BUILD_DIR)

# PREFIX overrides the configured install prefix (/usr/local); DESTDIR stages the whole tree.
install: build
	cmake --install $(BUILD_DIR) $(if $(PREFIX),--prefix $(PREFIX))

# The Debian package, copied here so that `apt-get install ./tellaria_*.deb` finds it.
package: build
	rm -f $(BUILD_DIR)/tellaria_*.deb
	cmake --build $(BUILD_DIR) --target package
	cp $(BUILD_DIR)/tellaria_*.deb .

clean:
	rm -rf $(BUILD_DIR)
