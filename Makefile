# Dotrix: `make run` installs what is missing, builds, and runs the program;
# `make test` installs, builds and runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps build run test soak screenshots test-asan test-tsan bench package check-package clean

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

# The window driven at random (every command, control and dialog, under missing ports and
# folders); `make test` runs it for a minute, this for SECONDS.
SECONDS ?= 600
soak: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j$(JOBS) --target dotrix-soak
	QT_QPA_PLATFORM=offscreen $(BUILD)/tests/dotrix-soak --seconds $(SECONDS)

# The whole suite again with AddressSanitizer and UndefinedBehaviorSanitizer: any report fails it.
test-asan: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DDOTRIX_SANITIZE=address,undefined -DDOTRIX_BUILD_BENCH=OFF >/dev/null
	cmake --build build-asan -j$(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j$(JOBS)

# The batch runs (worker threads, progress counter, closing during a run) with ThreadSanitizer.
test-tsan: deps
	cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DDOTRIX_SANITIZE=thread -DDOTRIX_BUILD_BENCH=OFF >/dev/null
	cmake --build build-tsan -j$(JOBS) --target test_encode test_export test_app dotrix-cli
	cd build-tsan && QT_QPA_PLATFORM=offscreen \
	  TSAN_OPTIONS="halt_on_error=1 suppressions=$(CURDIR)/tests/sanitizers/tsan.supp" \
	  ctest --output-on-failure -R 'Batch|DrawExportGlyphs|FontExport' -j$(JOBS)

# The .deb (build/dotrix_VERSION_ARCH.deb), laid out for /usr.
package: deps
	./scripts/install-deps.sh --package
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
	cmake --build $(BUILD) -j$(JOBS) --target package

# Builds the .deb, checks it, installs it, runs the installed programs, and removes it again
# (needs root or sudo; CI runs it).
check-package: package
	./scripts/check-package.sh $(BUILD)

# The README's pictures of the window in Chinese and English, made under Xvfb.
screenshots: build
	./scripts/install-deps.sh --dev
	./scripts/screenshots.sh $(BUILD)

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/dotrix-bench

clean:
	rm -rf $(BUILD)
