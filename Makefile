# Front door for building and testing vorn.
#
#   make            build vorn in build/
#   make example    build vorn and render examples/ into build/example/
#   make check      build and run every test, then again under
#                   AddressSanitizer and UndefinedBehaviorSanitizer
#   make bench      run the benchmark (see bench/README.md)

BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE ?= cmake

.PHONY: all example check check-plain check-asan bench clean

all:
	$(CMAKE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	$(CMAKE) --build $(BUILD) -j $(JOBS)

example: all
	./examples/render $(BUILD)/vorn $(BUILD)/example

check: check-plain check-asan

check-plain: all
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

check-asan:
	$(CMAKE) -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVORN_SANITIZE=ON
	$(CMAKE) --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

bench: all
	./bench/run $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
