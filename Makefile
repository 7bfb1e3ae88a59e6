# Entry points for people and CI. `make run` and `make test` install what is
# missing on a Debian machine, configure and build.

BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
BUILD_TYPE ?= RelWithDebInfo
WERROR ?= OFF
JOBS ?= $(shell nproc)

PACKAGES := cmake ninja-build g++ make libgtest-dev libgmock-dev \
            libbenchmark-dev dos2unix qt6-base-dev libgl-dev \
            xvfb xauth xdotool xclip
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build test test-sanitize run bench format clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	  -DQUOR_WERROR=$(WERROR)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DQUOR_WERROR=$(WERROR) -DQUOR_SANITIZE=ON -DQUOR_BUILD_BENCH=OFF
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	LSAN_OPTIONS=suppressions=$(CURDIR)/cmake/lsan.supp \
	  ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

# The window on the sample document shipped in resources/; without a display,
# a batch run on it instead.
run: build
	@if [ -n "$${DISPLAY}$${WAYLAND_DISPLAY}" ]; then \
	  $(BUILD_DIR)/quorfilter -d:"$(CURDIR)/resources/sample/brief.txt"; \
	else \
	  bash scripts/batch_demo.sh $(BUILD_DIR)/quorfilter; \
	fi

bench: deps
	cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DQUOR_BUILD_TESTS=OFF
	cmake --build build-release -j $(JOBS)
	build-release/bench/quorbench
	bash bench/compare_batch.sh build-release/quorfilter

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) build-release
