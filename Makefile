# make play  : install what is missing, build, assemble build/game/ and start the game.
# make check : the same set-up, then every test: the real-window tests on the game as players get
#              it (two at a time), beside them the unit and headless tests once, in an
#              AddressSanitizer + UBSan build, then a short run of every fuzz target over its
#              corpus; ends with a table of how long each stage took.
# make fuzz  : every fuzz target for FUZZ_SECONDS seconds each (default 600).
# make soak  : random play: the monkey on the real program under Xvfb for SOAK_MINUTES (default 30),
#              then on the headless back end for SOAK_SIM_HOURS simulated hours (default 10).
# make install [PREFIX=/usr/local] [DESTDIR=...] : the game, its data, desktop entry, icons,
#              metadata, manual page and licences under PREFIX.
# make package : a .deb of the build in build/ (CPack), checked by lintian and the validators.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local
FUZZ_SECONDS ?= 600
SOAK_MINUTES ?= 30
SOAK_SIM_HOURS ?= 10

.PHONY: all setup build play check asan bench fuzz soak clean install package

all: build

setup:
	@./scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

play: build
	cd $(BUILD)/game && ./plonko-elongo

# The set-up and the builds are the script's own stages, so that its table times them too.
check:
	@./scripts/check.sh $(BUILD) $(ASAN_BUILD) $(JOBS)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	@./scripts/package.sh $(BUILD)

fuzz: setup
	@./scripts/fuzz.sh $(FUZZ_SECONDS)

soak: build
	@SOAK_MINUTES=$(SOAK_MINUTES) SOAK_SIM_HOURS=$(SOAK_SIM_HOURS) ./scripts/soak.sh $(BUILD)

bench: build
	@./scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz
