# Stavrel's two everyday commands:
#   make run    builds the Windows program and starts it (under Wine on Linux)
#   make test   installs what is missing, builds everything, runs every test
.PHONY: run test deps windows linux bench fuzz gzip-suite dist deb release-check screenshots format format-check clean

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

# The release files, in build/dist with their SHA256SUMS: the same bytes from
# any clone of one commit (see packaging/).
dist: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j2 --target stavrel stavrel-cli gzip
	@packaging/make-zip.sh build/windows build/dist

deb: deps
	@packaging/make-deb.sh build/dist

# Both release files built from two fresh clones in two folders, as two
# users, and compared byte for byte; then the package's own tests.
release-check: deps
	@packaging/release-check.sh

clean:
	rm -rf build
