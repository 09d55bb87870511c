# Dotrix: `make run` installs what is missing, builds, and runs the program;
# `make test` installs, builds and runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps build run test bench clean

deps:
	./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j$(JOBS)

# The desktop program, writing into $(BUILD)/work. Without a display (a terminal-only machine)
# dotrix-cli draws 中 instead and prints the glyph and its C array.
run: build
	mkdir -p $(BUILD)/work
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/src/app/dotrix --workdir $(BUILD)/work; \
	else \
	  echo "No display: showing dotrix-cli instead of the window."; \
	  $(BUILD)/src/cli/dotrix-cli --workdir $(BUILD)/work --dots --preview --format c 中; \
	fi

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/dotrix-bench

clean:
	rm -rf $(BUILD)
