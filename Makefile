# The two commands a reader needs: `make run` and `make test`.
.PHONY: all setup run test bench fuzz sanitize install package clean

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
