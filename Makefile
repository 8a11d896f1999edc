# Front door for building and testing vorn.
#
#   make            build vorn in build/
#   make example    build vorn and the example blog into build/example/
#   make check      build and run every test, then again under
#                   AddressSanitizer and UndefinedBehaviorSanitizer
#   make bench      run the benchmark (see bench/README.md)
#   make bench-large  the same, and again on 100,000 articles
#   make install    install vorn and its manual under $(DESTDIR)$(PREFIX)

BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE ?= cmake
PREFIX ?= /usr/local
BINDIR ?= $(PREFIX)/bin
MANDIR ?= $(PREFIX)/share/man
INSTALL ?= install

.PHONY: all example check check-plain check-asan check-install bench bench-large install clean

all:
	$(CMAKE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	$(CMAKE) --build $(BUILD) -j $(JOBS)

example: all
	$(MAKE) -C examples/blog VORN=$(abspath $(BUILD)/vorn) OUT=$(abspath $(BUILD)/example)
	@echo "open $(BUILD)/example/index.html in a browser"

check: check-plain check-asan check-install

check-plain: all
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

check-asan:
	$(CMAKE) -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVORN_SANITIZE=ON
	$(CMAKE) --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

bench: all
	./bench/run $(BUILD)

bench-large: all
	LARGE_N=100000 ./bench/run $(BUILD)

install: all
	$(INSTALL) -d $(DESTDIR)$(BINDIR) $(DESTDIR)$(MANDIR)/man1
	$(INSTALL) -m 755 $(BUILD)/vorn $(DESTDIR)$(BINDIR)/vorn
	$(INSTALL) -m 644 doc/vorn.1 $(DESTDIR)$(MANDIR)/man1/vorn.1

# Installs into a scratch DESTDIR and checks that both files arrived.
check-install: all
	rm -rf $(BUILD)/destdir
	$(MAKE) --no-print-directory install DESTDIR=$(abspath $(BUILD)/destdir) PREFIX=/opt/vorn
	test -x $(BUILD)/destdir/opt/vorn/bin/vorn
	test -f $(BUILD)/destdir/opt/vorn/share/man/man1/vorn.1
	$(BUILD)/destdir/opt/vorn/bin/vorn -V
	rm -rf $(BUILD)/destdir

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
