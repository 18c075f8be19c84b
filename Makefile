# The two everyday commands: `make run` and `make test`. Both install what is missing first.
.PHONY: all deps debug release test run bench clean

BENCH_MIB ?= 1024
RUN_BENCH_MIB ?= 256

all: test

deps:
	@scripts/install-deps

debug: deps
	cmake --preset debug
	cmake --build --preset debug

release: deps
	cmake --preset release
	cmake --build --preset release

test: debug
	ctest --preset debug

# Until the editor window exists, the program's main job is the store benchmark.
run: release
	build/release/bench/mv_bench --size-mib $(RUN_BENCH_MIB)

bench: release
	build/release/bench/mv_bench --size-mib $(BENCH_MIB)

clean:
	rm -rf build
