# make play  : install what is missing, build, assemble build/game/ and start the game.
# make check : the same set-up, then every test (unit, headless, real-window under its own Xvfb),
#              then the unit tests again in an AddressSanitizer + UBSan build.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)

.PHONY: all setup build play check asan bench clean

all: build

setup:
	@./scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

play: build
	cd $(BUILD)/game && ./plonko-elongo

check: build
	@./scripts/check.sh $(BUILD) $(ASAN_BUILD)

bench: build
	@./scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
