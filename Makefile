# Two commands do everything on a fresh Debian 12 machine: make run, make test.
BUILD_DIR ?= build
GAME_DIR  := $(BUILD_DIR)/game
# Benchmarks measure optimised code: they have a Release build of their own.
BENCH_DIR ?= build-release
BENCH_ARGS ?=
JOBS      ?= $(shell nproc)
# CI sets WERROR=ON: a warning then fails the build.
WERROR    ?= OFF
PREFIX    ?= /usr/local
ASAN_DIR  ?= build-asan
FUZZ_DIR  ?= build-fuzz
DEB_DIR   ?= build-deb
# Who answers for the Debian package, as Name <address>: make deb QUARROW_MAINTAINER="...".
QUARROW_MAINTAINER ?=
FUZZ_SECONDS ?= 60
FUZZ_HARNESSES := plain_map built_in_level saved_game settings level_source
SEEDS     ?= 20
FRAMES    ?= 100000
HEADLESS  := SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

.PHONY: all deps build run test test-asan soak fuzz bench contact-sheet level-table install deb clean

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARROW_WERROR=$(WERROR)

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Only the game folder: the tests, benchmarks and fuzz harnesses wait for `make test`.
run: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS) --target game
	cd $(GAME_DIR) && ./quarrow2

test: build
	cd $(BUILD_DIR) && $(HEADLESS) ctest --output-on-failure -j $(JOBS)

# Every test again, built with g++'s AddressSanitizer and UndefinedBehaviorSanitizer.
# Leaks of SDL 2, dbus and fontconfig themselves are suppressed, and nothing else.
$(ASAN_DIR)/CMakeCache.txt: | deps
	@./scripts/install-deps.sh asan
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARROW_SANITIZE=address,undefined \
		-DQUARROW_WERROR=$(WERROR)

test-asan: deps $(ASAN_DIR)/CMakeCache.txt
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && $(HEADLESS) \
		ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:strict_init_order=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
		UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

# The random-input soak at length: make soak SEEDS=20 FRAMES=100000.
soak: build
	cd $(BUILD_DIR) && $(HEADLESS) QUARROW_SOAK_SEEDS=$(SEEDS) QUARROW_SOAK_FRAMES=$(FRAMES) ./tests/soak_test

# Each reader's libFuzzer harness for FUZZ_SECONDS (clang, address and undefined sanitizers).
fuzz:
	@./scripts/install-deps.sh fuzz
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
		-DQUARROW_SANITIZE=address,undefined -DQUARROW_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target $(FUZZ_HARNESSES:%=%_fuzz)
	./scripts/fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_HARNESSES)

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

# The Debian package, built in a folder of its own with Debian's hardening flags (PIE, full
# RELRO, stack protector, fortify), so the build and test folders keep their flags. Only
# what the package holds is built; hardening-check and lintian then check the package.
deb: deps
	@./scripts/install-deps.sh package
	@if [ -z "$(QUARROW_MAINTAINER)" ]; then \
		echo 'make deb: the package needs a maintainer: make deb QUARROW_MAINTAINER="Name <address>"' >&2; \
		exit 1; \
	fi
	eval "$$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)" && \
	cmake -S . -B $(DEB_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
		-DCMAKE_C_FLAGS="$$CFLAGS $$CPPFLAGS" -DCMAKE_CXX_FLAGS="$$CXXFLAGS $$CPPFLAGS" \
		-DCMAKE_EXE_LINKER_FLAGS="$$LDFLAGS" -DQUARROW_MAINTAINER="$(QUARROW_MAINTAINER)"
	cmake --build $(DEB_DIR) -j $(JOBS) --target game packaging_files
	rm -f $(DEB_DIR)/quarrow2_*.deb
	cd $(DEB_DIR) && cpack -G DEB
	./packaging/check_hardening.sh $(DEB_DIR)/quarrow2_*.deb
	lintian --fail-on error --info $(DEB_DIR)/quarrow2_*.deb
	@echo "lintian: no errors in" $(DEB_DIR)/quarrow2_*.deb

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR) $(ASAN_DIR) $(FUZZ_DIR) $(DEB_DIR)
