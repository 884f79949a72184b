# The two commands: `make demo` shows the screensaver, `make check` builds everything and runs
# every test. Both install what is missing first.
.PHONY: check demo deps native win32 test-native test-win32 bench format clean

check: deps native win32 test-native test-win32

demo: deps
	@echo "Lumenkite has no display host yet: the engine and settings build, nothing shows."

deps:
	@scripts/install-deps

native:
	cmake --preset native
	cmake --build --preset native

win32:
	cmake --preset win32
	cmake --build --preset win32

test-native: native
	ctest --preset native

test-win32: win32
	ctest --preset win32

bench: deps
	cmake --preset native-release
	cmake --build --preset native-release
	@echo "No benchmarks yet."

format:
	find src tests -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
