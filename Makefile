# The two commands a reader needs: `make run` and `make test`.
.PHONY: all setup run test bench fuzz sanitize install uninstall package clean

BUILD := build

all: setup

setup:
	@scripts/setup

run: setup
	@$(BUILD)/bin/zerafin

# make install [PREFIX=/usr/local]: the programs, the program folder
# (share/zerafin), Tintwell, the desktop entry, icon, metadata and man pages.
PREFIX ?= /usr/local
install: setup
	@cmake --install $(BUILD) --prefix $(PREFIX)

# Removes what make install put under PREFIX; the readers' folders stay.
uninstall:
	rm -f $(addprefix $(PREFIX)/bin/,zerafin zerafin-cli zerafin-init tintwell-demo)
	rm -f $(PREFIX)/lib/libtintwell.so $(PREFIX)/lib/libtintwell.so.1 $(PREFIX)/lib/libtintwell.so.1.0.0
	rm -rf $(PREFIX)/include/tintwell $(PREFIX)/lib/cmake/Tintwell $(PREFIX)/share/zerafin $(PREFIX)/share/doc/Zerafin
	rm -f $(PREFIX)/share/applications/zerafin.desktop $(PREFIX)/share/icons/hicolor/scalable/apps/zerafin.svg
	rm -f $(PREFIX)/share/metainfo/io.github.zerafin.Zerafin.metainfo.xml
	rm -f $(addprefix $(PREFIX)/share/man/man1/,zerafin.1 zerafin-cli.1 zerafin-init.1)

# A Debian package in build/package/.
package: setup
	@cd $(BUILD) && cpack -G DEB

test: setup
	@cd $(BUILD) && ctest --output-on-failure -j2

bench: setup
	@scripts/bench

# make fuzz TARGET=name [SECONDS=600]
fuzz: setup
	@scripts/fuzz $(TARGET) $(SECONDS)

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer,
# in its own folder (build-sanitize). Run it before every stop.
sanitize: setup
	@scripts/sanitize

# Removes the builds only; the reader's folder (~/.local/share/zerafin) and
# settings (~/.config/zerafin) are the reader's and stay.
clean:
	rm -rf $(BUILD) build-fuzz build-sanitize
