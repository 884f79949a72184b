# The two commands: `make demo` shows the screensaver, `make check` builds everything and runs
# every test. Both install what is missing first.
.PHONY: check demo demo-config deps release native tsan win32 fuzz-build test-native test-tsan test-win32 test-fuzz fuzz soak soak-native soak-windows bench bench-windows format clean

# Every build waits for deps; each tree is built by one target only, so -j runs them side by side
# without two builds of the same tree.
check: test-native test-tsan test-win32 test-fuzz release

demo: deps
	@cmake --preset native-release >/dev/null && cmake --build --preset native-release --target lumenkite && \
	if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then build/native-release/src/linux/lumenkite; \
	else build/native-release/src/linux/lumenkite --video build/demo.mp4 && echo "No display: rendered $(CURDIR)/build/demo.mp4"; fi

# The settings editor: on this display it edits your settings file; with no display it runs on a
# virtual one with GTK's cairo renderer and saves pictures of each page, the open colormap list,
# two questions and the full-screen preview as build/config-NAME.png (the defaults, from a file
# of its own).
demo-config: deps
	@cmake --preset native-release >/dev/null && cmake --build --preset native-release --target lumenkite && \
	if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then build/native-release/src/linux/lumenkite --config; \
	else rm -f build/config-simple.png build/config-types.png build/config-colors.png \
			build/config-advanced.png build/config-colormap-list.png build/config-colormap-name.png \
			build/config-delete-preset.png build/config-fullscreen.png; \
		xvfb-run -a -s "-screen 0 1280x1024x24" env GSK_RENDERER=cairo GTK_A11Y=none \
			build/native-release/src/linux/lumenkite --config --settings build/demo-config.reg \
			--screenshots build >/dev/null && \
		echo "Screenshots of the settings editor: $$(ls build/config-[a-z]*.png | tr '\n' ' ')"; fi

deps:
	@scripts/install-deps

# The whole tree optimised, its tests and benchmarks included: GCC warns of some things only when
# it optimises, and warnings are errors.
release: deps
	cmake --preset native-release
	cmake --build --preset native-release

native: deps
	cmake --preset native
	cmake --build --preset native

tsan: deps
	cmake --preset native-tsan
	cmake --build --preset native-tsan

win32: deps
	cmake --preset win32
	cmake --build --preset win32

# The readers of stored data under libFuzzer (clang): `make check` runs each target briefly,
# `make fuzz` for FUZZ_SECONDS each.
FUZZ_TARGETS := colormap_fuzz regfile_fuzz settings_fuzz
FUZZ_SECONDS ?= 180
FUZZ_SMOKE_SECONDS ?= 10

fuzz-build: deps
	cmake --preset fuzz
	cmake --build --preset fuzz

fuzz: fuzz-build
	scripts/run-fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

test-fuzz: fuzz-build
	scripts/run-fuzz $(FUZZ_SMOKE_SECONDS) $(FUZZ_TARGETS)

# Every factory preset for SOAK_FRAMES frames in the sanitizer build; not part of check.
SOAK_FRAMES ?= 100000

soak: soak-native soak-windows

soak-native: deps
	cmake --preset native
	cmake --build --preset native --target soak
	build/native/tests/soak/soak $(SOAK_FRAMES)

# The Windows saver full screen under Wine for SOAK_WINDOWS_SECONDS, its memory, open files and
# threads sampled every half minute; fails when any of them grows. In a Wine prefix of its own:
# the tests' Wine runs wait for every process of their prefix to end.
SOAK_WINDOWS_SECONDS ?= 600
soak-windows: deps
	@if scripts/wine-run --can-run-win32; then arch=win32; preset=win32; else \
		echo "This kernel cannot execute 32-bit programs: using the 64-bit build under 64-bit Wine."; \
		arch=win64; preset=win64-tests; fi; \
	cmake --preset $$preset >/dev/null && cmake --build --preset $$preset --target Lumenkite || exit 1; \
	LUMENKITE_WINEPREFIX=$$PWD/build/$$arch/soak-prefix \
		scripts/soak-windows $$arch build/$$arch/src/app/Lumenkite.scr $(SOAK_WINDOWS_SECONDS) 30

test-native: native
	ctest --preset native

test-tsan: tsan
	ctest --preset native-tsan

# The Windows tests run under 32-bit Wine. A kernel that cannot execute 32-bit x86 programs
# cannot run 32-bit Wine at all; there the same tests run as 64-bit Windows programs under
# 64-bit Wine. Either way the 32-bit build is checked to be 32-bit.
test-win32: win32
	@scripts/check-pe32 build/win32/tests/*.exe build/win32/src/app/Lumenkite.scr
	@if scripts/wine-run --can-run-win32; then \
		ctest --preset win32; \
	else \
		echo "This kernel cannot execute 32-bit programs: running the Windows tests under 64-bit Wine."; \
		cmake --preset win64-tests && cmake --build --preset win64-tests && ctest --preset win64-tests; \
	fi

bench: deps
	cmake --preset native-release
	cmake --build --preset native-release --target lumenkite_bench
	build/native-release/bench/lumenkite_bench

# The same benchmark built for Windows and run under Wine: the 32-bit build where this kernel can
# run 32-bit Wine, the 64-bit one under 64-bit Wine where it cannot.
bench-windows: deps
	@if scripts/wine-run --can-run-win32; then arch=win32; else \
		echo "This kernel cannot execute 32-bit programs: benchmarking the 64-bit build under 64-bit Wine."; \
		arch=win64; fi; \
	preset=$$( [ $$arch = win32 ] && echo win32 || echo win64-tests ); \
	cmake --preset $$preset -B build/$$arch-bench -DLUMENKITE_BENCH=ON >/dev/null && \
	cmake --build build/$$arch-bench --target lumenkite_bench -j2 && \
	scripts/wine-run $$arch build/$$arch-bench/bench/lumenkite_bench.exe

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build

# The Windows screensaver under Wine, full screen (/s): on the current display, or, with no
# display, on a virtual one, where a screenshot is saved to build/. Where the kernel cannot run
# 32-bit Wine, the 64-bit build stands in under 64-bit Wine.
.PHONY: demo-windows
demo-windows: deps
	@if scripts/wine-run --can-run-win32; then arch=win32; preset=win32; else \
		echo "This kernel cannot execute 32-bit programs: showing the 64-bit build under 64-bit Wine."; \
		arch=win64; preset=win64-tests; fi; \
	cmake --preset $$preset >/dev/null && cmake --build --preset $$preset --target Lumenkite || exit 1; \
	export arch scr=build/$$arch/src/app/Lumenkite.scr shot=build/lumenkite-windows.png \
		LUMENKITE_TRACE=$$PWD/build/lumenkite-windows-trace.txt LUMENKITE_WINE_USE_DISPLAY=1; \
	rm -f $$LUMENKITE_TRACE; \
	if [ -n "$${DISPLAY:-}" ]; then \
		echo "Any key, click or mouse movement ends the screensaver."; \
		scripts/wine-run $$arch $$scr /s; \
	else \
		echo "No display: running on a virtual one and taking a screenshot."; \
		xvfb-run -a -s "-screen 0 1024x768x24" sh -c ' \
			scripts/wine-run $$arch $$scr /s & pid=$$!; \
			for i in $$(seq 240); do grep -q "App: Created main window" $$LUMENKITE_TRACE 2>/dev/null && break; sleep 0.5; done; \
			sleep 5; import -window root $$shot; \
			xdotool mousemove 100 100 sleep 0.5 mousemove 300 300 click 1; \
			wait $$pid' && echo "Screenshot of the running screensaver: $$shot"; \
	fi

# The configuration dialog under Wine (no argument, as the control panel's "Settings" button runs
# it): on the current display, or, with no display, screenshots of each page, the Advanced panel
# and the full-screen preview at 96 and at 192 DPI, saved as build/config-DPI-STATE.png. Each DPI
# has a Wine prefix of its own, where Wine draws the window frames and stacks the windows itself,
# as no window manager runs on the virtual display.
# The configuration dialog under Wine driven by seeded random user actions, two runs of
# MONKEY_ACTIONS each (make check runs a short one).
MONKEY_SEED ?= 1
MONKEY_ACTIONS ?= 3000
.PHONY: monkey
monkey: deps
	@if scripts/wine-run --can-run-win32; then arch=win32; preset=win32; else \
		echo "This kernel cannot execute 32-bit programs: using the 64-bit build under 64-bit Wine."; \
		arch=win64; preset=win64-tests; fi; \
	cmake --preset $$preset >/dev/null && cmake --build --preset $$preset --target monkey_tests || exit 1; \
	LUMENKITE_MONKEY_SEED=$(MONKEY_SEED) LUMENKITE_MONKEY_ACTIONS=$(MONKEY_ACTIONS) \
		scripts/wine-run $$arch build/$$arch/tests/windows/monkey_tests.exe

.PHONY: demo-windows-config
demo-windows-config: deps
	@if scripts/wine-run --can-run-win32; then arch=win32; preset=win32; else \
		echo "This kernel cannot execute 32-bit programs: showing the 64-bit build under 64-bit Wine."; \
		arch=win64; preset=win64-tests; fi; \
	cmake --preset $$preset >/dev/null && cmake --build --preset $$preset --target Lumenkite config_shots || exit 1; \
	if [ -n "$${DISPLAY:-}" ]; then \
		LUMENKITE_WINE_USE_DISPLAY=1 scripts/wine-run $$arch build/$$arch/src/app/Lumenkite.scr; \
	else \
		for dpi in 96 192; do \
			export LUMENKITE_WINEPREFIX=$$PWD/build/$$arch/demo-prefix-$$dpi; \
			[ $$dpi = 96 ] && export LUMENKITE_XVFB_SCREEN=1024x768x24 || export LUMENKITE_XVFB_SCREEN=1800x1350x24; \
			scripts/wine-run-dpi $$dpi $$arch build/$$arch/tests/windows/config_shots.exe "Z:$$PWD/build/config-$$dpi" || exit 1; \
			for bmp in build/config-$$dpi-*.bmp; do convert $$bmp $${bmp%.bmp}.png && rm $$bmp; done; \
		done; \
		echo "Screenshots of the configuration dialog: $$(ls build/config-96-*.png build/config-192-*.png | tr '\n' ' ')"; \
	fi

# Installing on a Linux system from the release build `make demo` uses: `sudo make install`
# (PREFIX, default /usr/local; DESTDIR stages it elsewhere), `sudo make uninstall` removes what
# the last install wrote.
PREFIX ?= /usr/local
.PHONY: install uninstall deb test-deb dist-windows
install: deps
	@cmake --preset native-release -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null && \
	cmake --build --preset native-release --target lumenkite lumenkite_icons && \
	DESTDIR="$(DESTDIR)" cmake --install build/native-release

uninstall:
	@DESTDIR="$(DESTDIR)" cmake --build build/native-release --target uninstall

# The Debian package of the program alone (release build, no tests, no Windows build), built
# from a copy of the source under build/deb: build/lumenkite_VERSION_ARCH.deb.
deb: deps
	@scripts/build-deb

# The package as a user gets it: its files, lintian, the program unpacked (never installed here).
test-deb: deps
	@deb=$$(scripts/build-deb) && tests/install/check-deb $$deb
check: test-deb

# The Windows download: build/Lumenkite-VERSION-windows.zip, the screensaver and how to install it.
dist-windows: deps
	@cmake --preset win32 >/dev/null && cmake --build --preset win32 --target Lumenkite && \
	scripts/dist-windows build/win32
