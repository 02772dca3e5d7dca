# make run   - install what is missing, build, start the window on the example project
# make test  - install what is missing, build, run every test (GUI tests under Xvfb)
# make fuzz  - clang + libFuzzer build of the readers, each fuzzed for FUZZ_SECONDS
# make bench - generation time and memory on synthetic projects of growing size
# make format - apply the code style (.clang-format) to every C++ source
# make tsan  - ThreadSanitizer build of the window's worker request path and its tests
# make golden - rewrite tests/golden from the example project (review the diff before committing)
# make install / make uninstall - PREFIX (default /usr/local) and DESTDIR as usual
# make deb   - the Debian package quillon_<version>_<arch>.deb in this folder
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= 2
# clang-format checks the code style first;
# desktop-file-utils, appstream and man-db check the installed tree in the
# tests; dpkg-dev and file let CPack compute the package's dependencies.
PACKAGES   := g++ cmake pkg-config libgtk2.0-dev libpng-dev libgtest-dev libdtl-dev xvfb xauth \
              desktop-file-utils appstream man-db dpkg-dev file clang-format
PREFIX     ?= /usr/local
SUDO       := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
TEST_HOME  := $(CURDIR)/$(BUILD)/test-home
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_PACKAGES := clang libclang-rt-14-dev cmake pkg-config libglib2.0-dev
BENCH_BUILD ?= build-f
TSAN_BUILD ?= build-tsan
# The tests that cross the worker/main-thread boundary.
TSAN_TESTS ?= WorkerLogTest.*:BindWindowTest.*:GuiRunTest.*:StartGenerateTest.*:RealDialogsTest.Continue*

.PHONY: all deps configure build run test format format-check asan-test clean fuzz bench tsan install uninstall deb golden

all: build

deps:
	@missing=""; for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/quillon examples/Example.pbm

# DESTDIR, when set, reaches cmake through the environment. The list of the
# installed files (DESTDIR included) is kept apart from cmake's own manifest,
# which `make deb` and the package test overwrite with the package's paths.
INSTALLED := $(BUILD)/installed_files.txt
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)
	sed 's|^|$(DESTDIR)|' $(BUILD)/install_manifest.txt > $(INSTALLED)

uninstall:
	cmake -DMANIFEST=$(INSTALLED) -P cmake/uninstall.cmake
	rm -f $(INSTALLED)

deb: build
	cd $(BUILD) && cpack -G DEB
	mv $(BUILD)/quillon_*.deb .

# Core tests in an AddressSanitizer + UndefinedBehaviorSanitizer build.
asan-test: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON -DQUILLON_GUI=OFF
	cmake --build $(ASAN_BUILD) -j$(JOBS) --target core_tests quillon
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ./$(ASAN_BUILD)/core_tests --gtest_brief=1

# Every C++ source of ours, tracked or not yet (build folders are elsewhere).
FORMAT_SOURCES = $(shell find src tests bench fuzz tools -name '*.cpp' -o -name '*.h' | sort)

# Debian 12's clang-format (14); other versions may lay out a few lines differently.
format-check: deps
	@clang-format --dry-run --Werror $(FORMAT_SOURCES) || \
	  { echo "Code style: the files above differ from .clang-format; 'make format' fixes them."; exit 1; }

format: deps
	clang-format -i $(FORMAT_SOURCES)

test: format-check build asan-test
	mkdir -p $(TEST_HOME)
	HOME=$(TEST_HOME) LANG=C.UTF-8 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
	  ctest --test-dir $(BUILD) -j$(JOBS) --output-on-failure

# After a deliberate change of the generated files or the log: rewrites the
# golden outputs that ctest's GoldenOutputs compares with. Review the diff.
golden: build
	tests/cli/golden_outputs.sh $(BUILD)/quillon $(CURDIR) --update

# Not part of `make test`: it runs for minutes.
fuzz:
	@missing=""; for p in $(FUZZ_PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_GUI=OFF -DQUILLON_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_targets
	fuzz/run_fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Optimised headless build; the benchmark runs the quillon binary itself.
bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_GUI=OFF
	cmake --build $(BENCH_BUILD) -j$(JOBS) --target quillon scale_bench
	./$(BENCH_BUILD)/bench/scale_bench $(CURDIR)/$(BENCH_BUILD)/quillon

# Not part of `make test`. The suppressions cover the GNOME libraries, whose
# locks TSan cannot see; a race in our own code fails the run.
tsan: deps
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS=-fsanitize=thread \
	  -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread
	cmake --build $(TSAN_BUILD) -j$(JOBS) --target gui_tests
	mkdir -p $(TSAN_BUILD)/test-home
	HOME=$(CURDIR)/$(TSAN_BUILD)/test-home LANG=C.UTF-8 \
	  TSAN_OPTIONS="suppressions=$(CURDIR)/tests/app/tsan.supp halt_on_error=1 second_deadlock_stack=1" \
	  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
	  ./$(TSAN_BUILD)/gui_tests --gtest_brief=1 --gtest_repeat=3 --gtest_filter='$(TSAN_TESTS)'

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
