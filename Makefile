# The two commands a user needs: `make run` and `make test`. Everything else serves them.
BUILD        ?= build
SANITIZE     ?= build-asan
FUZZ         ?= build-fuzz
RUN_DIR      ?= run
FUZZ_SECONDS ?= 30
CMAKE_FLAGS  ?=

.PHONY: all deps build sanitize test bench bench-peers fuzz run screenshots clean

all: build

deps:
	@tools/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD)

# The platform libraries once more under AddressSanitizer and UndefinedBehaviorSanitizer.
$(SANITIZE)/build.ninja:
	cmake -S . -B $(SANITIZE) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTELMA_PLATFORM_ONLY=ON -DTELMA_SANITIZE=ON

sanitize: deps $(SANITIZE)/build.ninja
	cmake --build $(SANITIZE)

test: build sanitize
	ctest --test-dir $(SANITIZE) --output-on-failure
	ctest --test-dir $(BUILD) --output-on-failure

bench: build
	cmake --build $(BUILD) --target benchmarks
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; $$b || exit 1; done

bench-peers: build
	tools/bench-peers $(BUILD)

$(FUZZ)/build.ninja:
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTELMA_PLATFORM_ONLY=ON -DTELMA_FUZZ=ON

fuzz: deps $(FUZZ)/build.ninja
	cmake --build $(FUZZ) --target fuzzers
	tools/run-fuzzers $(FUZZ) $(FUZZ_SECONDS)

run: build
	tools/prepare-run-folder $(BUILD) $(RUN_DIR)
	cd $(RUN_DIR) && "$(CURDIR)/$(BUILD)/src/app/Telma"

screenshots: build
	tools/screenshots $(BUILD)

clean:
	rm -rf $(BUILD) $(SANITIZE) $(FUZZ)
