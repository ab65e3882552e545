#!/bin/sh
# The product code's formatting, as .clang-format says (clang-format 14, as
# Debian 12 has it): lists the lines that differ and fails, or with --fix
# formats them. Tests, fuzz targets and timing programs keep their own layout.
set -eu
cd "$(dirname "$0")/.."
tool=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$tool" ]; then echo "format-check: clang-format is not installed (make deps)"; exit 1; fi
files=$(find base cli core platform tools window -name '*.cpp' -o -name '*.h' | sort)
if [ "${1:-}" = --fix ]; then
  # shellcheck disable=SC2086
  exec "$tool" -i $files
fi
# shellcheck disable=SC2086
if ! "$tool" --dry-run --Werror $files 2>"${TMPDIR:-/tmp}/format-check.$$"; then
  grep -E '^[^ ].*: error:' "${TMPDIR:-/tmp}/format-check.$$" | sed 's/: error:.*//' | head -40
  echo "format-check: $(grep -c ': error:' "${TMPDIR:-/tmp}/format-check.$$") lines differ from .clang-format; make format fixes them"
  rm -f "${TMPDIR:-/tmp}/format-check.$$"
  exit 1
fi
rm -f "${TMPDIR:-/tmp}/format-check.$$"
echo "format-check: $(echo "$files" | wc -l) files as .clang-format says"
