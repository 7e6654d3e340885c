# The two commands of the README:
#   make run    installs what is missing, builds and starts Noctavo
#   make test   installs what is missing, builds and runs every test
# and for installing:
#   make install   installs the built program under PREFIX (/usr/local)
#   make package   builds the Debian package noctavo_<version>_<arch>.deb
BUILD ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: run test bench build deps configure clean install package

deps:
	@./tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "No display found: starting Noctavo on a virtual screen (xvfb-run)."; \
	  xvfb-run -a -s "-screen 0 1280x1024x24" ./$(BUILD)/noctavo; \
	else ./$(BUILD)/noctavo; fi

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@./$(BUILD)/bench/noctavo_bench
	@QT_QPA_PLATFORM=offscreen ./$(BUILD)/bench/noctavo_sky_bench
	@QT_QPA_PLATFORM=offscreen ./$(BUILD)/bench/noctavo_solar_bench
	@QT_QPA_PLATFORM=offscreen ./$(BUILD)/bench/noctavo_graph_bench
	@QT_QPA_PLATFORM=offscreen ./$(BUILD)/bench/noctavo_startup_bench
	@QT_QPA_PLATFORM=offscreen ./$(BUILD)/bench/noctavo_location_bench
	@QT_QPA_PLATFORM=offscreen ./$(BUILD)/bench/noctavo_picture_bench
	@QT_QPA_PLATFORM=offscreen ./$(BUILD)/bench/noctavo_object_info_bench

install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	@cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/*.deb

clean:
	rm -rf $(BUILD)
