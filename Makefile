# Two entry points: `make run` and `make test`. Both install what is missing, build and generate res/.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all setup build run test bench clean

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

clean:
	rm -rf $(BUILD) res
