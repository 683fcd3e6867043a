# make run    builds, packs content/ and starts the reader
# make test   builds and runs every test, then again under ASan + UBSan
# make bench  runs the benchmarks
# make fuzz   runs each fuzz target for FUZZ_SECONDS
BUILD       ?= build
ASAN_BUILD  ?= build-asan
FUZZ_BUILD  ?= build-fuzz
FUZZ_SECONDS ?= 60
GENERATOR   := -G Ninja
JOBS        ?= $(shell nproc)

.PHONY: all deps build run test test-asan bench fuzz clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./tobrina

test: build
	scripts/run-tests.sh $(BUILD)
	$(MAKE) test-asan

$(ASAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DTOBRINA_SANITIZE=ON -DTOBRINA_BENCH=OFF

test-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	scripts/run-tests.sh $(ASAN_BUILD)

bench: build
	scripts/run-bench.sh $(BUILD)

$(FUZZ_BUILD)/build.ninja: | deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTOBRINA_FUZZ=ON -DTOBRINA_TESTS=OFF -DTOBRINA_BENCH=OFF

fuzz: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
