# Front door of the project.
#   make run    installs what is missing, builds and starts the game
#   make check  installs what is missing, builds and runs every test
PRESET ?= release
JOBS ?= $(shell nproc)
BUILD := build/$(PRESET)

.PHONY: all deps configure build run check asan bench clean format

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset $(PRESET) $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build --preset $(PRESET) -j $(JOBS)

run: build
	@if [ -x $(BUILD)/ui/brisko99 ]; then \
	  exec $(BUILD)/ui/brisko99; \
	else \
	  echo "The game window is not built yet: everything else is built in $(BUILD)."; \
	  echo "Try: $(BUILD)/tools/brisko-analyze --help"; \
	fi

check: build
	@ctest --preset $(PRESET) -j $(JOBS)

asan:
	@$(MAKE) --no-print-directory check PRESET=asan

bench: build
	@$(BUILD)/bench/brisko-bench

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf build
