# The two commands a reader needs: `make run` and `make test`.
.PHONY: all setup run test bench fuzz clean

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

clean:
	rm -rf $(BUILD) build-fuzz
