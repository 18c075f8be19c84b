# The two everyday commands: `make run` and `make test`. Both install what is missing first.
.PHONY: all deps debug release test run bench fuzz install package clean

BENCH_MIB ?= 1024

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

# Starts the editor; FILE=path opens that file.
run: release
	build/release/src/app/morvane $(FILE)

# Installs the program, its data, desktop entry and icons under PREFIX (DESTDIR is honoured).
PREFIX ?= /usr/local
install: release
	cmake --install build/release --prefix $(PREFIX)

# A Debian package in build/release, its dependencies computed from the linked libraries.
package: release
	cd build/release && cpack -G DEB

HUGE_BENCH_MIB ?= 8192

bench: release
	build/release/bench/mv_bench --size-mib $(BENCH_MIB)
	build/release/bench/mv_huge_bench --size-mib $(HUGE_BENCH_MIB)

# Each fuzz target runs FUZZ_SECONDS on a scratch copy of its seed corpus.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = $(notdir $(wildcard fuzz/corpus/*))
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz --target $(FUZZ_TARGETS)
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p build/fuzz/corpus/$$t && cp -n fuzz/corpus/$$t/* build/fuzz/corpus/$$t/; \
	  echo "== $$t"; \
	  build/fuzz/fuzz/$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=build/fuzz/ build/fuzz/corpus/$$t 2>&1 | grep -E 'stat::number_of_executed_units|stat::peak_rss|ERROR|SUMMARY|crash-|Done' ; \
	done

clean:
	rm -rf build
