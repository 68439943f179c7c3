# SPDX-FileCopyrightText: 2026 Vemo Tarn developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Two commands do everything on a fresh Debian machine: `make run` and `make test`.
BUILD      ?= build
SAN_BUILD  ?= build-sanitize
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all setup configure build run test bench sanitize fuzz install package clean format

all: build

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_ARGS) > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: build
	@bash scripts/bench.sh $(BUILD)

sanitize: setup
	@cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEMO_SANITIZE=ON > /dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS)

# The readers of outside text under libFuzzer, a minute each (needs clang):
# puzzle text, settings, language files, the saved game and the records.
FUZZ_TIME ?= 60
fuzz: build
	@cmake --build $(BUILD) --target fuzz_all
	@mkdir -p $(BUILD)/fuzz-corpus/puzzle-text $(BUILD)/fuzz-corpus/settings $(BUILD)/fuzz-corpus/language \
		$(BUILD)/fuzz-corpus/saved-game $(BUILD)/fuzz-corpus/records
	@$(BUILD)/vemo-fuzz-puzzle-text -max_total_time=$(FUZZ_TIME) $(BUILD)/fuzz-corpus/puzzle-text data/exemples
	@$(BUILD)/vemo-fuzz-settings -max_total_time=$(FUZZ_TIME) $(BUILD)/fuzz-corpus/settings
	@$(BUILD)/vemo-fuzz-language -max_total_time=$(FUZZ_TIME) -max_len=65536 $(BUILD)/fuzz-corpus/language data/Langues
	@$(BUILD)/vemo-fuzz-saved-game -max_total_time=$(FUZZ_TIME) -max_len=65536 $(BUILD)/fuzz-corpus/saved-game tests/fuzz/seeds/saved-game
	@$(BUILD)/vemo-fuzz-records -max_total_time=$(FUZZ_TIME) $(BUILD)/fuzz-corpus/records tests/fuzz/seeds/records

install: build
	@cmake --install $(BUILD)

# A Debian package in the build folder.
package: build
	@cd $(BUILD) && cpack -G DEB

clean:
	@rm -rf $(BUILD) $(SAN_BUILD)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i
