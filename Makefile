# Two commands do everything on a fresh Debian 12 machine: make run, make test.
BUILD_DIR ?= build
GAME_DIR  := $(BUILD_DIR)/game
# Benchmarks measure optimised code: they have a Release build of their own.
BENCH_DIR ?= build-release
BENCH_ARGS ?=
JOBS      ?= $(shell nproc)
PREFIX    ?= /usr/local

.PHONY: all deps build run test bench contact-sheet level-table install deb clean

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd $(GAME_DIR) && ./quarrow2

test: build
	cd $(BUILD_DIR) && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
		ctest --output-on-failure -j $(JOBS)

$(BENCH_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release

# Each benchmark runs in a fresh temporary folder, so nothing it writes lands in the game folder.
bench: deps $(BENCH_DIR)/CMakeCache.txt
	cmake --build $(BENCH_DIR) --target benchmarks -j $(JOBS)
	@status=0; for b in $(abspath $(BENCH_DIR))/bench/*_bench; do \
		dir=$$(mktemp -d); (cd "$$dir" && "$$b" $(BENCH_ARGS)) || status=1; rm -rf "$$dir"; \
	done; exit $$status

contact-sheet: build
	cmake --build $(BUILD_DIR) --target contact_sheet
	cp $(BUILD_DIR)/contact-sheet.png docs/contact-sheet.png

# Measures every built-in level into the table of data/levels/README.md.
level-table: build
	cmake --build $(BUILD_DIR) --target level_table

# Installs the game under PREFIX (staged under DESTDIR when given); players start it with `quarrow2`.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# The Debian package, checked by lintian when it is installed.
deb: build
	@./scripts/install-deps.sh package
	rm -f $(BUILD_DIR)/quarrow2_*.deb
	cd $(BUILD_DIR) && cpack -G DEB
	@if command -v lintian >/dev/null; then \
		lintian --fail-on error --info $(BUILD_DIR)/quarrow2_*.deb && \
		echo "lintian: no errors in" $(BUILD_DIR)/quarrow2_*.deb; \
	fi

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR)
