# Two entry points: `make run` and `make test`. Both install what is missing, build and generate res/.
# `make video` does the same and then exports the flight to murkmoor.mp4.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all setup build run test bench video clean

all: build

setup:
	@bash scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/murkmoor

test: build
	@bash scripts/test.sh $(BUILD)

# Every pass timed at 1280 x 768 and 640 x 384; under Xvfb when there is no display.
bench: build
	@bash scripts/with-display.sh ./$(BUILD)/tools/bench/murkmoor-bench --json $(BUILD)/bench.json

# Options go in VIDEO_ARGS, e.g. make video VIDEO_ARGS="--from 40 --to 60 --size 640x360".
# Without a screen the export runs under a virtual X server.
video: build
	@bash scripts/with-display.sh ./$(BUILD)/tools/video/murkmoor-video $(VIDEO_ARGS)

clean:
	rm -rf $(BUILD) res
