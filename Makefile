# Entry points for people and CI. `make run` and `make test` install what is
# missing on a Debian machine, configure and build.

BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
BUILD_TYPE ?= RelWithDebInfo
WERROR ?= OFF
JOBS ?= $(shell nproc)

PACKAGES := cmake ninja-build g++ make libgtest-dev libgmock-dev \
            libbenchmark-dev qt6-base-dev libgl-dev \
            xvfb xauth xdotool xclip \
            dos2unix html2text unrtf time clang libclang-rt-14-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build test test-sanitize fuzz-build fuzz fuzz-ci \
        run bench format clean

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

FUZZ_TARGETS := command_line settings filters html word_lists rtf
FUZZ_ABS := $(abspath $(FUZZ_DIR))

fuzz-build: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DQUOR_FUZZ=ON -DQUOR_WERROR=$(WERROR) \
	  -DQUOR_BUILD_TESTS=OFF -DQUOR_BUILD_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers

# Each fuzz target for FUZZ_SECONDS, from the seeds in fuzz/corpus plus what
# earlier runs kept in $(FUZZ_DIR)/corpus. A crash, hang or mismatch stops
# with the input saved under $(FUZZ_DIR)/artifacts.
fuzz: fuzz-build
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_ABS)/corpus/$$t $(FUZZ_ABS)/artifacts; \
	  echo "fuzz: $$t for $(FUZZ_SECONDS) s"; \
	  $(FUZZ_ABS)/fuzz/$${t}_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	    -print_final_stats=1 -artifact_prefix=$(FUZZ_ABS)/artifacts/$$t- \
	    $(FUZZ_ABS)/corpus/$$t $(CURDIR)/fuzz/corpus/$$t \
	    >$(FUZZ_ABS)/$$t.log 2>&1 || { tail -n 60 $(FUZZ_ABS)/$$t.log; exit 1; }; \
	  grep -E '^(Done|stat::number_of_executed_units)' $(FUZZ_ABS)/$$t.log; \
	done

fuzz-ci:
	$(MAKE) fuzz FUZZ_SECONDS=20

# The window on the sample document shipped in resources/; without a display,
# a batch run on it instead.
run: build
	@if [ -n "$${DISPLAY}$${WAYLAND_DISPLAY}" ]; then \
	  $(BUILD_DIR)/quorfilter -d:"$(CURDIR)/resources/sample/brief.txt"; \
	else \
	  bash scripts/batch_demo.sh $(BUILD_DIR)/quorfilter; \
	fi

# The benchmark suite on 10 and 100 MB of generated text with the growth from
# one to the other, then whole batch runs against the Unix tools that do a
# similar job (bench/RESULTS.md). Fails when a target is missed.
bench: deps
	cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DQUOR_BUILD_TESTS=OFF
	cmake --build build-release -j $(JOBS) --target quorfilter quorbench \
	  make_corpus
	build-release/bench/quorbench --benchmark_out=build-release/quorbench.csv \
	  --benchmark_out_format=csv
	growth=0; bash bench/growth.sh build-release/quorbench.csv || growth=1; \
	  bash bench/compare_batch.sh build-release/quorfilter && exit $$growth

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) build-release
