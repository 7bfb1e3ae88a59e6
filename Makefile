# Entry points for people and CI. `make run` and `make test` install what is
# missing on a Debian machine, configure and build.

# The build folders are those of CMakePresets.json: build (dev), build-core,
# build-sanitize, build-fuzz, build-release.
FUZZ_SECONDS ?= 60
WERROR ?= OFF
JOBS ?= $(shell nproc)

PACKAGES := cmake ninja-build g++ make libgtest-dev libgmock-dev \
            libbenchmark-dev libcli11-dev libgumbo-dev pkg-config qt6-base-dev libgl-dev \
            xvfb xauth xdotool xclip \
            dos2unix html2text unrtf time clang libclang-rt-14-dev \
            clang-format clang-tidy man-db groff-base qt6-translations-l10n
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build test test-core test-sanitize fuzz-build fuzz \
        fuzz-ci run bench lint format format-check clean

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
	cmake --preset dev -DQUOR_WERROR=$(WERROR)

build: configure
	cmake --build --preset dev -j $(JOBS)

test: build
	ctest --preset dev -j $(JOBS)

# The core, its tests and the batch program without the toolkit; Qt must not
# even be looked for.
test-core: deps
	cmake --preset core-only -DQUOR_WERROR=$(WERROR)
	@! grep -q '^Qt6_DIR' build-core/CMakeCache.txt || \
	  { echo "core-only build looked for Qt"; exit 1; }
	cmake --build --preset core-only -j $(JOBS)
	ctest --preset core-only -j $(JOBS)

test-sanitize: deps
	cmake --preset asan -DQUOR_WERROR=$(WERROR)
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

FUZZ_TARGETS := command_line settings filters html word_lists rtf modern_rtf \
                document_encoding
FUZZ_ABS := $(CURDIR)/build-fuzz

fuzz-build: deps
	cmake --preset fuzz -DQUOR_WERROR=$(WERROR)
	cmake --build --preset fuzz -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS, from the seeds in fuzz/corpus plus what
# earlier runs kept in build-fuzz/corpus. A crash, hang or mismatch stops
# with the input saved under build-fuzz/artifacts.
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
	  build/quorfilter -d:"$(CURDIR)/resources/sample/brief.txt"; \
	else \
	  bash scripts/batch_demo.sh build/quorfilter; \
	fi

# The benchmark suite on 10 and 100 MB of generated text with the growth from
# one to the other, then whole batch runs against the Unix tools that do a
# similar job (bench/RESULTS.md). Fails when a target is missed.
bench: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target quorfilter quorbench \
	  make_corpus
	build-release/bench/quorbench --benchmark_out=build-release/quorbench.csv \
	  --benchmark_out_format=csv
	growth=0; bash bench/growth.sh build-release/quorbench.csv || growth=1; \
	  bash bench/compare_batch.sh build-release/quorfilter && exit $$growth

# clang-tidy with the checks of .clang-tidy over every source file of the
# program, the include direction of the layers, and the formatting.
lint: build format-check
	bash scripts/check_layers.sh
	git ls-files 'core/*.cpp' 'desktop/*.cpp' 'desktop_module/*.cpp' \
	  'program/*.cpp' | xargs -P $(JOBS) -n 8 clang-tidy -p build --quiet

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf build build-core build-sanitize build-fuzz build-release
