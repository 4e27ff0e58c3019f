# The two commands a reader needs: `make run` and `make test`.
.PHONY: all setup run test bench fuzz sanitize clean

BUILD := build

all: setup

setup:
	@scripts/setup

run: setup
	@$(BUILD)/bin/zerafin

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

clean:
	rm -rf $(BUILD) build-fuzz build-sanitize
