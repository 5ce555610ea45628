# Two entry points: `make run` and `make test`. Both install what is missing, build and generate res/.
# `make video` does the same and then exports the flight to captures/murkmoor.mp4.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all setup build run test sanitize bench video preview keypoints anatomy bundle bundle-check \
	slim-check clean

all: build

setup:
	@bash scripts/setup.sh $(BUILD)

build: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/murkmoor

test: build
	@bash scripts/test.sh $(BUILD)

# The suite built with AddressSanitizer and UndefinedBehaviorSanitizer in a folder of its own; any
# finding fails its test. SANITIZE_TESTS picks tests by name, e.g. make sanitize SANITIZE_TESTS=Shell.
SANITIZE_BUILD ?= build-sanitize
SANITIZE_FLAGS = -fsanitize=address,undefined,float-cast-overflow \
	-fno-sanitize-recover=undefined,float-cast-overflow -fno-omit-frame-pointer
sanitize:
	@bash scripts/setup.sh $(SANITIZE_BUILD)
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_C_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)" >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
		bash scripts/test.sh $(SANITIZE_BUILD) $(if $(SANITIZE_TESTS),-R '$(SANITIZE_TESTS)')

# Every pass timed at 1280 x 768 and 640 x 384; under Xvfb when there is no display.
bench: build
	@bash scripts/with-display.sh ./$(BUILD)/tools/bench/murkmoor-bench --json $(BUILD)/bench.json

# Options go in VIDEO_ARGS, e.g. make video VIDEO_ARGS="--from 40 --to 60 --size 640x360".
# Without a screen the export runs under a virtual X server.
video: build
	@bash scripts/with-display.sh ./$(BUILD)/tools/video/murkmoor-video $(VIDEO_ARGS)

# A recorded path (the C key's "filename.txt") described, then flown into a small video,
# build/preview.mp4, to check it before pasting it into src/CameraPathKeyPoints.cpp.
PREVIEW_PATH ?= filename.txt
PREVIEW_ARGS ?= --size 320x192 --fps 15
preview: build
	@bash scripts/preview-recording.sh $(PREVIEW_PATH)
	@./$(BUILD)/tools/path/murkmoor-path $(PREVIEW_PATH)
	@bash scripts/with-display.sh ./$(BUILD)/tools/video/murkmoor-video --path $(PREVIEW_PATH) \
		$(PREVIEW_ARGS) --out $(BUILD)/preview.mp4

# The moments when something happens (every key point that fires an event, and the last), captured
# in one flight at 640 x 384 into captures/keypoints/, side by side in docs/keypoints.png.
keypoints: build
	@./$(BUILD)/tools/capture/murkmoor-capture --headless --size 640x384 --events \
		--out captures/keypoints/ --sheet docs/keypoints.png

# The frame study: docs/anatomy/ (one moment of the flight in every view, and a contact sheet) and
# docs/frame.md, with the figures of docs/anatomy/bench.json. Always drawn by Mesa's llvmpipe with
# no display and on one thread (the fire's particles spawn in the order its threads run), so that
# any machine makes the same pictures, byte for byte.
anatomy: build
	@LIBGL_ALWAYS_SOFTWARE=1 LP_NUM_THREADS=0 \
		__EGL_VENDOR_LIBRARY_FILENAMES=/usr/share/glvnd/egl_vendor.d/50_mesa.json \
		./$(BUILD)/tools/anatomy/murkmoor-anatomy --headless

# The capture, bench and video tools for a GPU server with no display and nothing installed but
# its driver: build/gpu-bundle/ holds them with their libraries, shaders and assets, and run.sh.
bundle: build
	@bash scripts/gpu-bundle.sh $(BUILD)

# Runs the bundle in a minimal Debian root (build/bare-root, kept) that has only Mesa's EGL and
# llvmpipe as its driver. Needs root; about a minute and a half, a minute more to make the root.
bundle-check: bundle
	@bash scripts/bare-root-check.sh $(BUILD)

# The set-up on a slim container image, whose dpkg leaves /usr/share/doc out: in a minimal Debian
# root (build/slim-root), setup from a clean copy of the committed sources, then CMake compiling
# Dear ImGui's OpenGL 3 back-end. Needs root and the network; about 6 minutes, 4 when repeated.
slim-check:
	@bash scripts/slim-root-check.sh $(BUILD)

clean:
	rm -rf $(BUILD) res
