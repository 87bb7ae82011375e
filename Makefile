# Thin front over CMake. `make run` and `make test` each do the whole set-up first.
JOBS ?= $(shell nproc)
WERROR ?= $(if $(CI),ON,OFF)
CMAKE_FLAGS = -G Ninja -DZENTRIQ_WERROR=$(WERROR)

.PHONY: deps build build-asan run test test-plain test-asan bench fuzz clean format

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B build $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build -j $(JOBS)

build-asan: deps
	cmake -S . -B build-asan $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DZENTRIQ_SANITIZE=ON -DZENTRIQ_BENCH=OFF
	cmake --build build-asan -j $(JOBS)

run: build
	./build/zentriq examples/kitchen.clk

test-plain: build
	cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: build-asan
	cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The plain suite first, then the same suite under AddressSanitizer and UBSan.
test: deps
	$(MAKE) --no-print-directory test-plain
	$(MAKE) --no-print-directory test-asan

bench: build
	./build/bench/zentriq_bench

# The clock-file reader, then the settings file, under libFuzzer with ASan and UBSan, one process each; new
# finds go to build-fuzz/corpus and build-fuzz/corpus-settings.
FUZZ_SECONDS ?= 600
SETTINGS_FUZZ_SECONDS ?= 120
fuzz:
	@scripts/install-deps.sh --fuzz
	cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
		-DZENTRIQ_FUZZ=ON -DZENTRIQ_BENCH=OFF
	cmake --build build-fuzz -j $(JOBS) --target fuzz_clockfile fuzz_settings
	mkdir -p build-fuzz/corpus build-fuzz/corpus-settings
	./build-fuzz/fuzz/fuzz_clockfile -max_total_time=$(FUZZ_SECONDS) -max_len=65536 build-fuzz/corpus fuzz/corpus
	./build-fuzz/fuzz/fuzz_settings -max_total_time=$(SETTINGS_FUZZ_SECONDS) -max_len=4096 \
		build-fuzz/corpus-settings fuzz/corpus-settings

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan build-fuzz
