# Thin front over CMake. `make run` and `make test` each do the whole set-up first.
JOBS ?= $(shell nproc)
WERROR ?= $(if $(CI),ON,OFF)
CMAKE_FLAGS = -G Ninja -DZENTRIQ_WERROR=$(WERROR)

.PHONY: deps build build-asan run test test-plain test-asan bench clean format

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

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan
