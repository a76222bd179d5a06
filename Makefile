# SPDX-License-Identifier: GPL-3.0-or-later
# Front door of the project.
#   make run    installs what the game needs, builds and starts it
#   make check  installs what the tests need too, builds and runs every test
#   make install  puts the game, its menu entry and icon under $(PREFIX)
#   make deb    builds the Debian package into build/deb/
#   make windows  cross-builds the Windows zip and installer into build/windows/
PRESET ?= release
JOBS ?= $(shell nproc)
BUILD := build/$(PRESET)
# A build folder that `make run` or `make` starts leaves the tests and the
# benchmarks out, and with them their packages; once `make check` has put the
# tests in (or `make bench` the benchmarks), they stay.
GAME_ONLY := $(if $(wildcard $(BUILD)/CMakeCache.txt),,\
	-DBRISKO_BUILD_TESTS=OFF -DBRISKO_BUILD_BENCH=OFF)

.PHONY: all deps deps-check configure configure-check build run install deb windows check asan \
	bench clean format format-check

all: build

deps:
	@scripts/install-deps run

deps-check:
	@scripts/install-deps check

configure: deps
	@cmake --preset $(PRESET) $(GAME_ONLY) $(CMAKE_ARGS) >/dev/null

configure-check: deps-check
	@cmake --preset $(PRESET) -DBRISKO_BUILD_TESTS=ON $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build --preset $(PRESET) -j $(JOBS)

run: configure
	@cmake --build --preset $(PRESET) -j $(JOBS) --target brisko99
	@exec $(BUILD)/ui/brisko99

# Installs what `make` built (PREFIX=/usr/local by default: sudo make install).
PREFIX ?= /usr/local
install:
	@[ -x $(BUILD)/ui/brisko99 ] || { echo "run make first"; exit 1; }
	@cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, built from a copy of the tree under build/deb/ (where
# the .deb lands) with dpkg-buildpackage, -j2, the tests left to make check.
deb: deps-check
	@scripts/build-deb

# The Windows game with MinGW-w64: Qt for Windows is built from Debian's
# sources into ~/.cache/brisko99 the first time (about half an hour).
windows:
	@scripts/build-windows

check: configure-check
	@cmake --build --preset $(PRESET) -j $(JOBS)
	@ctest --preset $(PRESET) -j $(JOBS)

asan:
	@$(MAKE) --no-print-directory check PRESET=asan

bench: deps-check
	@cmake --preset $(PRESET) -DBRISKO_BUILD_BENCH=ON $(CMAKE_ARGS) >/dev/null
	@cmake --build --preset $(PRESET) -j $(JOBS) --target brisko-bench
	@$(BUILD)/bench/brisko-bench

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

# Fails, naming the files, when a source file is not as clang-format writes it,
# includes a header above its layer or Qt outside the window code
# (scripts/check-layers), or does not say its license in its first lines.
format-check:
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
	@scripts/check-layers
	@missing=$$(git ls-files '*.cpp' '*.h' '*.h.in' '*.py' '*.cmake' '*CMakeLists.txt' \
	    Makefile .ci/run 'scripts/*' | while read -r f; do \
	    head -n 3 "$$f" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' || echo "$$f"; done); \
	  if [ -n "$$missing" ]; then echo "no SPDX-License-Identifier line:"; echo "$$missing"; exit 1; fi

clean:
	@rm -rf build
