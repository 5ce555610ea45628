# Two entry points: `make run` and `make test`. Both install what is missing, build and generate res/.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all setup build run test clean

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

clean:
	rm -rf $(BUILD) res
