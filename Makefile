# Tessarine: `make run` and `make test` on a fresh Debian 12 machine install what is
# missing, configure, build and run.

PACKAGES := cmake ninja-build g++ clang pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
	qt6-base-dev libqt6opengl6-dev libglu1-mesa-dev libgl1-mesa-dev libegl-dev libosmesa6-dev \
	libgl1-mesa-dri libstb-dev xvfb xauth imagemagick clang-format \
	desktop-file-utils libxml2-utils shared-mime-info xdg-utils libglib2.0-bin python3 xdotool
BUILD := build
ASAN_BUILD := build-asan
BENCH_BUILD := build-bench
CMAKE_FLAGS := -G Ninja $(if $(CI),-DTESS_WERROR=ON)
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: deps build run install test fuzz format-check bench soak clean

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=$$( [ "$$(id -u)" -eq 0 ] || echo sudo ); \
	  $$SUDO apt-get update && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/app/tessarine

# Installs under $(PREFIX) (inside $(DESTDIR) when given). Without DESTDIR the MIME and
# desktop databases there are refreshed, so file managers know the formats at once.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"
	@if [ -z "$(DESTDIR)" ]; then \
	  update-mime-database "$(PREFIX)/share/mime"; \
	  [ ! -d "$(PREFIX)/share/applications" ] || update-desktop-database -q "$(PREFIX)/share/applications"; \
	fi

# Every tracked C++ source must already be in the project's clang-format style.
format-check: deps
	git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

test: build format-check
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DTESS_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)
	FUZZ_JOBS=$(JOBS) ./fuzz/run_all.sh

# Longer fuzzing: make fuzz FUZZ_SECONDS=600 (per target).
fuzz: deps
	FUZZ_JOBS=$(JOBS) ./fuzz/run_all.sh

# Ten thousand random actions (TESS_SOAK_ACTIONS) through the real window, sanitizers on.
soak: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DTESS_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target tessarine-soak
	TESS_SOAK_ACTIONS=$${TESS_SOAK_ACTIONS:-10000} tests/ui/run_with_display.sh \
	  $(ASAN_BUILD)/tools/soak/tessarine-soak examples/arm.mdx

bench: deps
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DTESS_BUILD_BENCH=ON -DTESS_BUILD_TESTS=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	@for b in $(BENCH_BUILD)/bench/*_bench; do echo "== $$b"; $$b || exit 1; done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) build-fuzz
