# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT

# make run      installs what the program needs, builds it, starts it
# make test     installs everything else too, builds and runs every test
# make package  builds build/torumina_<version>_amd64.deb
# make install / make uninstall   PREFIX (default /usr/local), with sudo where needed
# make bench    runs the engine benchmark
# make web      builds the web edition, one file: build/web/torumina.html
#
# The build settings live in CMakePresets.json: build/ holds the program and
# its package, build-test/ and build-asan/ the tests, build-web/ the core
# built by Emscripten for the web edition, with its tests.

PREFIX ?= /usr/local
JOBS   ?= $(shell nproc)
SUDO   := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
# sudo only where the first existing folder of PREFIX is not ours to write.
INSTALL_SUDO := $(shell d=$(PREFIX); while [ ! -e "$$d" ]; do d=$$(dirname "$$d"); done; \
                        [ -w "$$d" ] || echo $(SUDO))
# What building and running the program needs; the Japanese font is the one
# its layout is drawn for, qt6-translations-l10n has Qt's own Japanese for
# the file box and the standard buttons. Qt's Linguist tools compile
# torumina-sim's English messages: CMake finds them through qt6-tools-dev,
# lrelease comes with qt6-l10n-tools.
RUN_PACKAGES := cmake make g++ pkg-config qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins \
	qt6-tools-dev qt6-l10n-tools fonts-ipafont-gothic qt6-translations-l10n
# dpkg-shlibdeps and file, with which CPack finds the package's libraries.
PACKAGE_PACKAGES := dpkg-dev file
# What every Debian desktop has, for the journey on a desktop: a session bus
# (the test starts its own), the accessibility bus and a client to read the
# program's accessible tree; so what differs on a desktop shows up here first.
DESKTOP_PACKAGES := dbus-user-session dbus-daemon dbus-bin at-spi2-core python3-pyatspi python3-xlib
# A light window manager, which gives the focus back to a window as a box
# closes, for the journey through a reset by the keyboard.
WM_PACKAGES := openbox
# Emscripten builds the Qt-free core for the web edition; its tests run
# under Node, the page's in Debian's chromium.
WEB_PACKAGES := emscripten chromium
TEST_PACKAGES := $(RUN_PACKAGES) $(PACKAGE_PACKAGES) $(DESKTOP_PACKAGES) $(WM_PACKAGES) $(WEB_PACKAGES) \
	clang clang-format libclang-rt-14-dev \
	fonts-noto-cjk libgtest-dev libgmock-dev libbenchmark-dev \
	xvfb xauth x11-utils xdotool strace desktop-file-utils appstream lintian \
	procps python3 python3-numpy hyperfine qemu-user

# $(call deps,PACKAGES): installs those not yet installed.
define deps
	@missing=$$(for p in $(1); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update && \
		$(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi
endef

.PHONY: deps run build package test format-check bench install uninstall clean web

deps:
	$(call deps,$(TEST_PACKAGES))

# The program looks its sound cues up in the current folder first, then in
# the installed data folder: here it plays the source tree's.
run:
	$(call deps,$(RUN_PACKAGES))
	cmake --preset release
	cmake --build --preset release -j$(JOBS) --target torumina
	cd data && ../build/src/app/torumina

build:
	$(call deps,$(RUN_PACKAGES))
	cmake --preset release
	cmake --build --preset release -j$(JOBS)

package: build
	$(call deps,$(PACKAGE_PACKAGES))
	cd build && cpack

# Every suite, the end-to-end journey (without D-Bus and on a desktop's buses)
# and the package built by g++, the engine's suite also on emulated processors
# (qemu-user); then the suites and the journeys again, built by clang under
# AddressSanitizer + UBSan, with the number reader fuzzed for a bounded time;
# then the core's suites built by Emscripten and run under Node, and the
# page in chromium.
test: deps format-check
	for tree in test sanitize web; do \
		cmake --preset $$tree && cmake --build --preset $$tree -j$(JOBS) && \
		ctest --preset $$tree -j$(JOBS) || exit 1; \
	done
	$(MAKE) web
	node --test tests/web/

# The page's TypeScript, bundled by esbuild from the npm packages the lock
# file names, with the core's script and the cues, into one file. npm comes
# with Node.js where Node.js is not Debian's.
web:
	$(call deps,$(WEB_PACKAGES))
	command -v npm >/dev/null || $(SUDO) env DEBIAN_FRONTEND=noninteractive \
		apt-get install -y --no-install-recommends nodejs npm
	cmake --preset web && cmake --build --preset web -j$(JOBS) --target torumina_core torumina_core_simd
	cd web && npm ci --no-audit --no-fund && npx tsc --noEmit -p .
	node web/build.mjs build-web/web/torumina_core.js build-web/web/torumina_core_simd.js build/web/torumina.html

# The tree keeps the style of .clang-format; clang-format -i on a file mends it.
format-check:
	git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

bench: deps
	cmake --preset test
	cmake --build --preset test -j$(JOBS) --target torumina-bench
	build-test/bench/torumina-bench

# CPack rewrites build/install_manifest.txt with the package's paths, so the
# list of what make install wrote is kept apart for make uninstall. What sudo
# wrote into build/ goes back to its owner.
install: build
	$(INSTALL_SUDO) cmake --install build --prefix $(PREFIX)
	$(if $(INSTALL_SUDO),$(INSTALL_SUDO) chown -R $$(id -u):$$(id -g) build)
	cp build/install_manifest.txt build/installed_files.txt

uninstall:
	xargs -rd '\n' $(INSTALL_SUDO) rm -fv -- < build/installed_files.txt
	grep -o '.*/torumina/' build/installed_files.txt | sort -u | \
		xargs -r $(INSTALL_SUDO) rmdir --ignore-fail-on-non-empty
	rm build/installed_files.txt

clean:
	rm -rf build build-test build-asan build-web
