#!/bin/bash
# The bash completion and the manual page against the program itself: every
# command and option that `--help` lists is offered by the completion for
# that command (and nothing else is) and described in the manual page; and
# the completion offers the right files and folders in a real folder.
#   completion_test.sh <stavrel-cli>
set -u
cli=$(realpath "${1:?usage: completion_test.sh <stavrel-cli>}")
source_dir=$(realpath "$(dirname "$0")/../..")
manual=$source_dir/packaging/stavrel-cli.1.in
# shellcheck source=../../packaging/stavrel-cli.bash-completion
source "$source_dir/packaging/stavrel-cli.bash-completion"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# What the completion offers for a command line whose last word is being
# typed, sorted, on one line.
offered() {  # offered <words...>
  COMP_WORDS=(stavrel-cli "$@")
  COMP_CWORD=$#
  COMPREPLY=()
  _stavrel_cli
  [ ${#COMPREPLY[@]} -eq 0 ] || printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | tr '\n' ' '
}
# The options a --help text lists (first column of its Options section).
options_in_help() {  # options_in_help [command]
  "$cli" "$@" --help | sed -n '/^Options:/,/^$/p' | grep -oE '^  [^ ]+' | tr ',' '\n' |
    sed 's/^ *//' | LC_ALL=C sort | tr '\n' ' '
}

# --- options and commands: --help, completion, manual page ------------------
for command in "" convert decompress recompress; do
  listed=$(options_in_help $command)
  [ -n "$listed" ] || fail "no options found in the --help of '$command'"
  # shellcheck disable=SC2086
  got=$(offered $command -)
  [ "$got" = "$listed" ] || fail "'$command -' completes to: $got; --help lists: $listed"
  for option in $listed; do
    grep -qF -- "$(echo "$option" | sed 's/-/\\-/g')" "$manual" || fail "the manual page lacks $option"
  done
done
commands=$("$cli" --help | sed -n '/^Subcommands:/,/^$/p' | grep -oE '^  [a-z]+' | LC_ALL=C sort | tr -d ' ' | tr '\n' ' ')
[ "$(offered "")" = "$(echo "$commands$(options_in_help)" | tr ' ' '\n' | grep . | LC_ALL=C sort | tr '\n' ' ')" ] ||
  fail "the commands offered are: $(offered ""); --help lists: $commands"
for command in $commands; do
  grep -q "^\.B $command\$" "$manual" || fail "the manual page does not describe $command"
done

# --- files and folders in a real folder ---------------------------------------
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir saves
touch game.000 game.003 game.sds module.mdl notes.txt
# words before | the word being typed | what is offered
while IFS='|' read -r before typed expected; do
  # shellcheck disable=SC2086
  got=$(offered $before "$typed")
  [ "$got" = "$expected" ] || fail "'stavrel-cli $before $typed' completes to: $got; expected: $expected"
done <<'ROWS'
|dec|decompress 
decompress||game.000 game.003 saves 
decompress|g|game.000 game.003 
decompress --name n|g|game.000 game.003 
recompress||game.sds saves 
convert --factor 5|m|module.mdl 
convert --factor 5|s|saves 
convert --factor 5 --output-dir||saves 
convert --factor||
convert|--fa|--factor 
recompress game.sds|--q|--quiet 
recompress --slot||
decompress|--k|--keep 
ROWS

echo "completion_test: $failures failures"
[ "$failures" -eq 0 ]
