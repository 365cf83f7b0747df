# The two commands of the README. Both set up what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: setup build run test lint sanitize bench bench-startup fuzz format clean art-preview deb mutate

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

# A Debian package of the installed layout: build/tempovirens_VERSION_ARCH.deb.
deb: build
	@cd $(BUILD) && cpack -G DEB >/dev/null
	@ls $(BUILD)/tempovirens_*.deb

# libFuzzer targets under AddressSanitizer and UndefinedBehaviorSanitizer, a short budget each.
FUZZ_SECONDS ?= 45
fuzz: setup
	@./scripts/fuzz $(FUZZ_SECONDS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# Time to the calendar window and peak memory against a bare Qt window, and the hand-over time.
bench-startup: build
	@./scripts/bench-startup $(BUILD)

# A contact sheet of the generated art (skins, holiday pictures, backgrounds, icon).
art-preview: build
	@cmake --build $(BUILD) --target tv_art_preview
	@echo "art-preview: $(BUILD)/art-preview.png"

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-fuzz build-asan build-mutate

# Mutation testing of the core (long: about an hour for 200 mutants; not part of `make test`).
MUTATE_SEED ?= 21
MUTATE_COUNT ?= 200
MUTATE_TIMEOUT ?= 120
mutate:
	@./scripts/mutate --seed $(MUTATE_SEED) --count $(MUTATE_COUNT) --timeout $(MUTATE_TIMEOUT) \
		--jobs $(JOBS)
