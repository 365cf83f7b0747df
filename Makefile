# The two commands of the README. Both set up what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: setup build run test lint sanitize bench fuzz format clean art-preview

setup:
	@./scripts/setup

build: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./scripts/run $(BUILD)/bin

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory lint
	@$(MAKE) --no-print-directory sanitize
	@$(MAKE) --no-print-directory fuzz

# Formatting and clang-tidy (naming convention, bug-finding checks) over the sources.
lint: build
	@./scripts/lint $(BUILD)

# The core and command-line tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: setup
	@./scripts/sanitize

# libFuzzer targets under AddressSanitizer and UndefinedBehaviorSanitizer, a short budget each.
FUZZ_SECONDS ?= 60
fuzz: setup
	@./scripts/fuzz $(FUZZ_SECONDS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# A contact sheet of the generated art (skins, holiday pictures, backgrounds, icon).
art-preview: build
	@cmake --build $(BUILD) --target tv_art_preview
	@echo "art-preview: $(BUILD)/art-preview.png"

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-fuzz build-asan
