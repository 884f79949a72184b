# The two commands: `make demo` shows the screensaver, `make check` builds everything and runs
# every test. Both install what is missing first.
.PHONY: check demo deps native tsan win32 test-native test-tsan test-win32 bench format clean

check: deps native tsan win32 test-native test-tsan test-win32

demo: deps
	@echo "Lumenkite has no display host yet: the engine and settings build, nothing shows."

deps:
	@scripts/install-deps

native:
	cmake --preset native
	cmake --build --preset native

tsan:
	cmake --preset native-tsan
	cmake --build --preset native-tsan

win32:
	cmake --preset win32
	cmake --build --preset win32

test-native: native
	ctest --preset native

test-tsan: tsan
	ctest --preset native-tsan

# The Windows tests run under 32-bit Wine. A kernel that cannot execute 32-bit x86 programs
# cannot run 32-bit Wine at all; there the same tests run as 64-bit Windows programs under
# 64-bit Wine, and the 32-bit build is still made and checked to be 32-bit.
test-win32: win32
	@if scripts/wine-run --can-run-win32; then \
		ctest --preset win32; \
	else \
		echo "This kernel cannot execute 32-bit programs: running the Windows tests under 64-bit Wine."; \
		file build/win32/tests/*.exe | grep -v 'PE32 executable' && exit 1; \
		cmake --preset win64-tests && cmake --build --preset win64-tests && ctest --preset win64-tests; \
	fi

bench: deps
	cmake --preset native-release
	cmake --build --preset native-release --target lumenkite_bench
	build/native-release/bench/lumenkite_bench

format:
	find src tests -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
