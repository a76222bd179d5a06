# SPDX-License-Identifier: GPL-3.0-or-later
# Front door of the project.
#   make run    installs what is missing, builds and starts the game
#   make check  installs what is missing, builds and runs every test
#   make install  puts the game, its menu entry and icon under $(PREFIX)
#   make deb    builds the Debian package into build/deb/
#   make windows  cross-builds the Windows zip and installer into build/windows/
PRESET ?= release
JOBS ?= $(shell nproc)
BUILD := build/$(PRESET)

.PHONY: all deps configure build run install deb windows check asan bench clean format format-check

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset $(PRESET) $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build --preset $(PRESET) -j $(JOBS)

run: build
	@exec $(BUILD)/ui/brisko99

# Installs what `make` built (PREFIX=/usr/local by default: sudo make install).
PREFIX ?= /usr/local
install:
	@[ -x $(BUILD)/ui/brisko99 ] || { echo "run make first"; exit 1; }
	@cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, built from a copy of the tree under build/deb/ (where
# the .deb lands) with dpkg-buildpackage, -j2, the tests left to make check.
deb: deps
	@scripts/build-deb

# The Windows game with MinGW-w64: Qt for Windows is built from Debian's
# sources into ~/.cache/brisko99 the first time (about half an hour).
windows:
	@scripts/build-windows

check: build
	@ctest --preset $(PRESET) -j $(JOBS)

asan:
	@$(MAKE) --no-print-directory check PRESET=asan

bench: build
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
