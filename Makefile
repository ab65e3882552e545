# Stavrel's two everyday commands:
#   make run    builds the Windows program and starts it (under Wine on Linux)
#   make test   installs what is missing, builds everything, runs every test
.PHONY: run test deps windows linux bench fuzz gzip-suite dist screenshots format format-check clean

deps:
	@scripts/install-deps.sh

windows: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j2

linux: deps
	cmake --preset linux >/dev/null
	cmake --build --preset linux -j2

run: windows
	@scripts/run-program.sh

test: deps
	@scripts/run-tests.sh

bench: linux windows
	@scripts/run-bench.sh

# GNU gzip 1.12's own tests against our gzip (not part of make test: it
# fetches GNU's source package into build/).
gzip-suite: deps
	cmake --preset linux >/dev/null
	cmake --build --preset linux -j2 --target gzip
	@scripts/gzip-suite.sh build/linux/bin/gzip

fuzz: deps
	@scripts/fuzz-short.sh $${FUZZ_SECONDS:-600}

# The product code laid out as .clang-format says (clang-format 14).
format: deps
	@scripts/format-check.sh --fix

format-check: deps
	@scripts/format-check.sh

# The users' guide's pictures, from the real window under Wine.
screenshots: windows
	@scripts/make-screenshots.sh

dist: windows
	cd build/windows && cpack -G ZIP -B ../dist >/dev/null && rm -rf ../dist/_CPack_Packages
	@ls build/dist/*.zip

clean:
	rm -rf build
