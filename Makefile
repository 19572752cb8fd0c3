# A newcomer's two commands: `make run` and `make test`. Both install what is
# missing (Debian packages), then build with the CMake presets.
PRESET ?= $(if $(CI),ci,dev)
BUILD := build/$(PRESET)
export CCACHE_SLOPPINESS := pch_defines,time_macros,include_file_mtime,include_file_ctime
export CCACHE_DIR ?= $(HOME)/.cache/ccache

.PHONY: all deps build run test bench clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja: CMakeLists.txt CMakePresets.json | deps
	cmake --preset $(PRESET)

build: deps $(BUILD)/build.ninja
	cmake --build --preset $(PRESET)

# The first run builds the demo installation into the database setup.INI names.
run: build
	@mkdir -p run
	@[ -f run/setup.INI ] || cp data/setup.INI run/setup.INI
	cd run && ../$(BUILD)/bin/pos-sim --setup . demo --if-empty
	cd run && ../$(BUILD)/bin/Manager

test: build
	scripts/test.sh $(BUILD)

bench: build
	scripts/bench.sh $(BUILD)

clean:
	rm -rf build
