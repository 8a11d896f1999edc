# Front door for building and testing vorn.
#
#   make                build vorn alone in build/
#   make example        build vorn and the example blog into build/example/
#   make check          build and run every test, then again under
#                       AddressSanitizer and UndefinedBehaviorSanitizer; the
#                       last lines name every check that was skipped and why
#   make bench          run the benchmark (see bench/README.md)
#   make bench-large    the same, and again on 100,000 articles
#   make fuzz           build the libFuzzer harnesses with clang in build-fuzz/
#                       and run each for FUZZ_SECONDS seconds (see HACKING)
#   make fuzz-coverage  line coverage of src/ by the fuzz corpora (llvm-cov)
#   make format         lay out every C++ file as .clang-format says
#   make lint           clang-tidy with the checks of .clang-tidy, and the
#                       layout check of make format, over every C++ file
#   make install        install vorn and its manual under $(DESTDIR)$(PREFIX)
#   make install-strip  the same with the symbols stripped from the program
#
# ./debian-make TARGET installs what TARGET needs on Debian, then runs it.

BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE ?= cmake
PREFIX ?= /usr/local
BINDIR ?= $(PREFIX)/bin
MANDIR ?= $(PREFIX)/share/man
INSTALL ?= install
INSTALL_PROGRAM ?= $(INSTALL) -m 755
INSTALL_DATA ?= $(INSTALL) -m 644
# Extra ctest options, e.g. CTEST_FLAGS='-R golden' to run some tests only.
CTEST_FLAGS ?=
FUZZ_BUILD ?= build-fuzz
COVERAGE_BUILD ?= build-coverage
FUZZ_CXX ?= clang++
FUZZ_SECONDS ?= 60
FUZZ_FLAGS ?=
# One harness a line (fuzz/CMakeLists.txt reads the same file).
FUZZ_HARNESSES := $(strip $(file < fuzz/harnesses))
LLVM_PROFDATA ?= llvm-profdata
LLVM_COV ?= llvm-cov

.PHONY: all vorn configure build-all example check check-plain check-asan \
        format lint \
        check-install bench bench-large install install-strip clean \
        fuzz fuzz-build fuzz-coverage $(addprefix fuzz-,$(FUZZ_HARNESSES))

all: vorn

configure:
	$(CMAKE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

# The program alone: neither the unit tests nor the benchmark tools.
vorn: configure
	$(CMAKE) --build $(BUILD) -j $(JOBS) --target vorn

build-all: configure
	$(CMAKE) --build $(BUILD) -j $(JOBS)

example: vorn
	$(MAKE) -C examples/blog VORN=$(abspath $(BUILD)/vorn) OUT=$(abspath $(BUILD)/example)
	@echo "open $(BUILD)/example/index.html in a browser, or serve it:" \
	  "cd $(BUILD)/example && python3 -m http.server"

check: check-plain check-asan check-install
	@sh tests/report-skips $(BUILD) $(ASAN_BUILD)

# Each ctest run starts with no skip records, so the report above names
# the checks skipped by this run only.
check-plain: build-all
	rm -rf $(BUILD)/skipped
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) $(CTEST_FLAGS)

# The sanitized build shares the plain build's download cache of client
# programs (the Nu Html Checker).
check-asan:
	$(CMAKE) -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVORN_SANITIZE=ON \
	  -DVORN_CLIENT_CACHE=$(abspath $(BUILD))/client-cache
	$(CMAKE) --build $(ASAN_BUILD) -j $(JOBS)
	rm -rf $(ASAN_BUILD)/skipped
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) $(CTEST_FLAGS)

bench: build-all
	./bench/run $(BUILD)

bench-large: build-all
	LARGE_N=100000 ./bench/run $(BUILD)

# The harnesses run one after the other; `make -j2 fuzz` runs two at once.
fuzz: $(addprefix fuzz-,$(FUZZ_HARNESSES))

$(addprefix fuzz-,$(FUZZ_HARNESSES)): fuzz-%: fuzz-build
	sh fuzz/run-fuzzer $(FUZZ_BUILD) $* $(FUZZ_SECONDS) $(FUZZ_FLAGS)

# Assertions stay on: they guard the invariants a fuzzer should break.
fuzz-build:
	@command -v $(FUZZ_CXX) >/dev/null || { echo "make fuzz needs $(FUZZ_CXX)" \
	  "with libFuzzer (Debian: clang libclang-rt-14-dev)" >&2; exit 1; }
	$(CMAKE) -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=$(FUZZ_CXX) \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
	  -DVORN_FUZZ=ON
	$(CMAKE) --build $(FUZZ_BUILD) -j $(JOBS)

# Replays the seeds and the corpora of `make fuzz` through harnesses built
# with clang's source coverage, then reports the lines of src/ they ran.
fuzz-coverage:
	$(CMAKE) -S . -B $(COVERAGE_BUILD) -DCMAKE_CXX_COMPILER=$(FUZZ_CXX) \
	  -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-fprofile-instr-generate -fcoverage-mapping"
	$(CMAKE) --build $(COVERAGE_BUILD) -j $(JOBS) \
	  $(addprefix --target replay_,$(FUZZ_HARNESSES))
	rm -rf $(COVERAGE_BUILD)/profiles
	for h in $(FUZZ_HARNESSES); do \
	  corpus=$(FUZZ_BUILD)/fuzz-corpus/$$h; [ -d $$corpus ] || corpus=; \
	  LLVM_PROFILE_FILE=$(COVERAGE_BUILD)/profiles/$$h.profraw \
	    $(COVERAGE_BUILD)/fuzz/replay_$$h fuzz/seeds/$$h $$corpus \
	    2>/dev/null || exit 1; \
	done
	$(LLVM_PROFDATA) merge -o $(COVERAGE_BUILD)/fuzz.profdata \
	  $(COVERAGE_BUILD)/profiles/*.profraw
	$(LLVM_COV) report $(COVERAGE_BUILD)/fuzz/replay_json \
	  $(addprefix -object $(COVERAGE_BUILD)/fuzz/replay_,$(filter-out json,$(FUZZ_HARNESSES))) \
	  -instr-profile=$(COVERAGE_BUILD)/fuzz.profdata \
	  -ignore-filename-regex='(_test\.cc|/fuzz/|/usr/)' $(abspath src)

# The C++ files of the tree: the sources, their tests, the fuzz harnesses,
# the benchmark's floors and the golden runner.
CXX_FILES = $(shell git ls-files '*.cc' '*.h' 2>/dev/null || \
              find src fuzz bench tests -name '*.cc' -o -name '*.h')
CLANG_FORMAT ?= clang-format
CLANG_TIDY ?= run-clang-tidy
LINT_BUILD ?= build-lint

format:
	$(CLANG_FORMAT) -i --style=file $(CXX_FILES)

# clang-tidy reads the compile commands of a build of its own.
lint:
	$(CLANG_FORMAT) --dry-run -Werror --style=file $(CXX_FILES)
	$(CMAKE) -S . -B $(LINT_BUILD) -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
	$(CMAKE) --build $(LINT_BUILD) -j $(JOBS) --target vorn_tests >/dev/null
	$(CLANG_TIDY) -quiet -j $(JOBS) -p $(LINT_BUILD) \
	  '$(abspath .)/(src|fuzz|bench|tests/golden)/.*\.cc$$'

install: vorn
	$(INSTALL) -d $(DESTDIR)$(BINDIR) $(DESTDIR)$(MANDIR)/man1
	$(INSTALL_PROGRAM) $(BUILD)/vorn $(DESTDIR)$(BINDIR)/vorn
	$(INSTALL_DATA) doc/vorn.1 $(DESTDIR)$(MANDIR)/man1/vorn.1

install-strip:
	$(MAKE) --no-print-directory install INSTALL_PROGRAM='$(INSTALL_PROGRAM) -s'

# Installs into a scratch DESTDIR, plainly and stripped, and checks that
# both files arrived, that the program runs, and that install-strip left
# no symbol table and no debugging information in it.
check-install: vorn
	rm -rf $(BUILD)/destdir
	$(MAKE) --no-print-directory install DESTDIR=$(abspath $(BUILD)/destdir) PREFIX=/opt/vorn
	test -x $(BUILD)/destdir/opt/vorn/bin/vorn
	test -f $(BUILD)/destdir/opt/vorn/share/man/man1/vorn.1
	$(BUILD)/destdir/opt/vorn/bin/vorn -V
	rm -rf $(BUILD)/destdir
	$(MAKE) --no-print-directory install-strip DESTDIR=$(abspath $(BUILD)/destdir) PREFIX=/opt/vorn
	test -f $(BUILD)/destdir/opt/vorn/share/man/man1/vorn.1
	$(BUILD)/destdir/opt/vorn/bin/vorn -V
	@if readelf -S $(BUILD)/destdir/opt/vorn/bin/vorn | grep -e '\.symtab' -e '\.debug_'; then \
	  echo "install-strip: the installed vorn still has the sections above" >&2; exit 1; fi
	@echo "install-strip: $$(wc -c <$(BUILD)/destdir/opt/vorn/bin/vorn) bytes, no symbols (build/vorn: $$(wc -c <$(BUILD)/vorn) bytes)"
	rm -rf $(BUILD)/destdir

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(COVERAGE_BUILD) $(LINT_BUILD)
