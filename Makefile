# make run   installs what is missing, builds, starts the program
# make test  installs what is missing, builds, runs every test
# make bench runs the engine benchmark

BUILD      ?= build
CORE_BUILD ?= build-asan
PREFIX     ?= /usr/local
JOBS       ?= $(shell nproc)
SUDO       := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

PACKAGES := cmake make g++ clang clang-format libclang-rt-14-dev pkg-config \
	qt6-base-dev qt6-multimedia-dev libqt6multimedia6 qt6-qpa-plugins \
	gstreamer1.0-plugins-base fonts-ipafont-gothic fonts-noto-cjk \
	libgtest-dev libgmock-dev libbenchmark-dev \
	xvfb xauth x11-utils xdotool imagemagick desktop-file-utils \
	python3 python3-gi gir1.2-atspi-2.0 at-spi2-core dbus dbus-x11 libglib2.0-bin \
	python3-numpy hyperfine

.PHONY: deps build run test format-check bench install clean

deps:
	@missing=$$(for p in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update && \
		$(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j$(JOBS)

# The program looks its sound cues up in the current folder.
run: build
	cd data && $(abspath $(BUILD))/src/app/torumina

# The Qt-free core also runs under AddressSanitizer + UBSan, with the
# number reader fuzzed for a bounded time.
test: build format-check
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	cmake -S . -B $(CORE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DTORUMINA_CORE_ONLY=ON -DTORUMINA_SANITIZE=ON
	cmake --build $(CORE_BUILD) -j$(JOBS)
	cd $(CORE_BUILD) && ctest --output-on-failure -j$(JOBS)

# The tree keeps the style of .clang-format; clang-format -i on a file mends it.
format-check:
	git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

bench: build
	$(BUILD)/bench/torumina-bench

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) $(CORE_BUILD)
