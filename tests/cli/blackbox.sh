#!/bin/bash
# Runs the real stavrel-cli (natively, or the .exe under Wine) on real files
# and checks what a user sees: exit codes, the lines on stdout and stderr,
# which files remain and their bytes.
#
# usage: blackbox.sh <runner-or-"-"> <stavrel-cli> <hanging-gzip> <data-folder>
#   runner: a program that runs ours, e.g. cmake/wine-run.sh for the .exe
#   hanging-gzip: a stand-in gzip that never ends, for stopping a run
set -u

runner=${1:-}
cli=${2:?usage: blackbox.sh <runner> <stavrel-cli> <hanging-gzip> <data-folder>}
hanging_gzip=${3:?}
data=${4:?}
[ "$runner" = "-" ] && runner=
under_wine=false
[ -n "$runner" ] && under_wine=true
absolute() { case $1 in /*) echo "$1" ;; *) echo "$PWD/$1" ;; esac; }
cli=$(absolute "$cli")
hanging_gzip=$(absolute "$hanging_gzip")
data=$(absolute "$data")

export LC_ALL=C.UTF-8
unset GZIP POSIXLY_CORRECT

work=$(mktemp -d "${TMPDIR:-/tmp}/stavrel cli é.XXXXXX")
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
case_name=
case_failed=false

run_cli() { $runner "$cli" "$@" >"$work/out" 2>"$work/err"; status=$?; }

begin() {
  case_name=$1
  case_failed=false
  rm -rf "$work/case"
  mkdir -p "$work/case"
  cd "$work/case" || exit 1
}
fail() {
  echo "FAIL [$case_name] $*"
  sed 's/^/  stdout: /' "$work/out"
  sed 's/^/  stderr: /' "$work/err"
  case_failed=true
}
finish() {
  cd "$work" || exit 1
  if $case_failed; then failed=$((failed + 1)); else passed=$((passed + 1)); fi
}

expect_status() { [ "$status" -eq "$1" ] || fail "exit code $status, expected $1"; }
expect_err() { tr -d '\r' <"$work/err" | grep -qF -- "$1" || fail "stderr lacks: $1"; }
expect_no_err() { tr -d '\r' <"$work/err" | grep -qF -- "$1" && fail "stderr has: $1"; }
expect_out() { tr -d '\r' <"$work/out" | grep -qF -- "$1" || fail "stdout lacks: $1"; }
# expect_files_in FOLDER NAME...: exactly these files, sorted.
expect_files_in() {
  local folder=$1 listed
  shift
  listed=$(ls -A "$folder" | LC_ALL=C sort | tr '\n' ' ')
  [ "$listed" = "$* " ] || fail "files in $folder are: $listed; expected: $*"
}
expect_files() { expect_files_in . "$@"; }
expect_same() { cmp -s "$1" "$2" || fail "$1 differs from $2"; }

# A module of $2 records, each address $3 plus its number; $4 (optional) is
# the last record's address.
module() {
  perl -e 'my ($n, $base, $last) = @ARGV;
    for my $i (0 .. $n - 1) {
      my $address = ($i == $n - 1 && $last ne "") ? $last : $base + $i;
      print pack("a21 l< a1", sprintf("VAR%018d", $i), $address, "x") }' "$2" "$3" "${4:-}" >"$1"
}

# A name in a folder as the console shows it.
sep=/
$under_wine && sep='\'

# --- conversion ------------------------------------------------------------

begin "window's bytes"
cp "$data/sample.mdl" .
run_cli convert --factor "&HFF" sample.mdl plus.mdl
expect_status 0
expect_same plus.mdl "$data/sample-plus-255.mdl"
expect_out "converted sample.mdl -> plus.mdl (8 variables, +255)"
run_cli convert --factor " - 2.5" sample.mdl minus.mdl
expect_status 0
expect_same minus.mdl "$data/sample-minus-2.mdl"
finish

begin "batch with a bad module in the middle"
mkdir out
module a.mdl 1000 0
# Larger than one chunk, and only its last record overflows: the converter
# has written most of it when it fails.
module bad.mdl 40000 0 2147483647
module c.mdl 1000 500
run_cli convert --factor 5 --output-dir out a.mdl bad.mdl c.mdl
expect_status 1
expect_err "bad.mdl: Variable 40000 holds the address 2147483647; adding the factor 5 goes beyond the 32-bit range"
expect_err "Nothing was written"
expect_out "converted 2 modules, 1 failed"
expect_files_in out a.mdl c.mdl
module expected.mdl 1000 5
expect_same out/a.mdl expected.mdl
finish

begin "refusals"
module a.mdl 10 0
echo "keep me" >taken.mdl
run_cli convert --factor 1 a.mdl taken.mdl
expect_status 1
expect_err "taken.mdl: The file to write to exists. Give --force to replace it. Nothing was written."
[ "$(cat taken.mdl)" = "keep me" ] || fail "the existing destination was changed"
run_cli convert --factor 1 --force a.mdl taken.mdl
expect_status 0
module expected.mdl 10 1
expect_same taken.mdl expected.mdl
run_cli convert --factor 1 --force a.mdl a.mdl
expect_status 1
expect_err "The file to write to is the module being read"
run_cli convert --factor 99999999999 a.mdl other.mdl
expect_status 1
expect_err "is outside the range -2147483648 to 2147483647"
run_cli convert --factor 1 --output-dir nowhere a.mdl
expect_status 1
expect_err "nowhere: The folder to write to does not exist"
# The destination is named, not the temporary that could not be made there.
run_cli convert --factor 1 a.mdl nowhere/out.mdl
expect_status 1
expect_err "nowhere/out.mdl: Could not create the file to write to: "
expect_no_err "stavrel-tmp"
# gzip's words name its copy of the state; the report names the state.
echo "not gzip" >plain.003
run_cli decompress plain.003
expect_status 1
expect_err "plain.003: gzip.exe could not decompress the state: not in gzip format. The state file "
expect_no_err "temp.gz"
rm plain.003
module three.mdl 3 0
run_cli convert --factor 1 three.mdl copy.mdl
expect_status 1
expect_err "three.mdl: At least 4 variables needed to convert. An unchanged copy was written to copy.mdl."
expect_same copy.mdl three.mdl
run_cli decompress --name ab a.mdl
expect_status 1
expect_err "No name for the decompressed state can be formed from \"ab\""
gzip -c a.mdl >state.003
echo "mine" >state.sds
run_cli decompress state.003
expect_status 1
expect_err "state.sds: A file is in the way"
[ "$(cat state.sds)" = "mine" ] || fail "the file in the way was changed"
run_cli recompress missing.sds
expect_status 1
expect_err "missing.sds: The file to compress does not exist"
echo "old" >state.000
run_cli recompress state.sds
expect_status 1
expect_err "state.000: A file is in the way"
[ "$(cat state.000)" = "old" ] || fail "the file in the way was changed"
expect_files a.mdl copy.mdl expected.mdl state.000 state.003 state.sds taken.mdl three.mdl
# A program folder without gzip.exe: the message names every place looked at.
mkdir alone
cp "$cli" alone/
$runner "alone/$(basename "$cli")" decompress state.003 >"$work/out" 2>"$work/err"
status=$?
expect_status 1
if $under_wine; then
  expect_err "state.003: Stavrel's gzip was not found at Z:"
  expect_err '\alone\gzip.exe. Reinstall Stavrel. Nothing was changed.'
else
  expect_err "state.003: Stavrel's gzip was not found at $(pwd -P)/alone/gzip.exe or $(pwd -P)/libexec/stavrel/gzip. Reinstall"
fi
expect_files_in . a.mdl alone copy.mdl expected.mdl state.000 state.003 state.sds taken.mdl three.mdl
finish

begin "links and folders at the destination"
module a.mdl 10 0
module expected.mdl 10 1
mkdir folder
echo "target" >target.mdl
ln -s nowhere.mdl dangling.mdl
ln -s folder to-folder.mdl
ln -s target.mdl to-file.mdl
links="dangling.mdl to-folder.mdl to-file.mdl"
# Wine shows a Windows program no dangling link at all, not even in a listing.
$under_wine && links="to-folder.mdl to-file.mdl"
for link in $links; do
  run_cli convert --factor 1 a.mdl "$link"
  expect_status 1
  expect_err "$link: The file to write to exists. Give --force to replace it. Nothing was written."
done
[ "$(readlink dangling.mdl)" = nowhere.mdl ] || fail "the dangling link was replaced"
[ "$(readlink to-folder.mdl)" = folder ] || fail "the link to a folder was replaced"
# --force replaces the link itself, never what it points to, and never a folder.
run_cli convert --factor 1 --force a.mdl to-file.mdl
expect_status 0
[ -L to-file.mdl ] && fail "the link was written through, not replaced"
expect_same to-file.mdl expected.mdl
[ "$(cat target.mdl)" = target ] || fail "the link's target was changed"
run_cli convert --factor 1 --force a.mdl folder
expect_status 1
expect_err "folder: The file to write to is a folder, not a file. Nothing was written."
# A folder where a file to read is named.
for command in "convert --factor 1 folder x.mdl" "decompress folder" "decompress folder/" "recompress folder"; do
  run_cli $command
  expect_status 1
  expect_err "is a folder, not a file"
done
[ -z "$(ls -A folder)" ] || fail "something was written into the folder"
# The state commands see a link under a final name as a file in the way.
cp a.mdl h.sds
if $under_wine; then ln -s folder h.000; else ln -s nowhere.000 h.000; fi
run_cli recompress h.sds
expect_status 1
expect_err "h.000: A file is in the way"
expect_same h.sds a.mdl
[ -e h.sds.gz ] && fail "gzip ran although the final name was taken"
expect_files a.mdl dangling.mdl expected.mdl folder h.000 h.sds target.mdl to-file.mdl to-folder.mdl
finish

begin "replacing with --force keeps the destination's permissions"
module a.mdl 10 0
echo "old" >private.mdl
chmod 600 private.mdl
run_cli convert --factor 1 --force a.mdl private.mdl
expect_status 0
$under_wine || [ "$(stat -c %a private.mdl)" = 600 ] || fail "private.mdl is now mode $(stat -c %a private.mdl)"
echo "old" >locked.mdl
chmod 444 locked.mdl
run_cli convert --factor 1 --force a.mdl locked.mdl
expect_status 1
expect_err "locked.mdl: Could not rename while converting the module"
[ "$(cat locked.mdl)" = old ] || fail "the read-only destination was replaced"
expect_files a.mdl locked.mdl private.mdl
finish

begin "names a system allows and Stavrel cannot use"
if ! $under_wine; then
  # A backslash in a name would be taken for a folder separator.
  mkdir s
  echo typed | gzip >'s\t.000'
  echo other | gzip >s/t.000
  cp 's\t.000' typed.gz
  cp s/t.000 other.gz
  run_cli decompress 's\t.000'
  expect_status 1
  expect_err 's\\t.000: This file cannot be used: its full name holds a backslash'
  expect_err "Nothing was read or changed"
  expect_same 's\t.000' typed.gz
  expect_same s/t.000 other.gz
  module a.mdl 10 0
  module 'a\b.mdl' 10 0
  run_cli convert --factor 1 a.mdl 'z\y.mdl'
  expect_status 1
  run_cli convert --factor 1 --output-dir s 'a\b.mdl' a.mdl
  expect_status 1
  expect_err 'a\\b.mdl: This file cannot be used'
  expect_out "converted 1 module, 1 failed"
  expect_files_in s a.mdl t.000
  expect_files a.mdl 'a\b.mdl' other.gz s 's\t.000' typed.gz
  # ".." after a link leads where the system says: above the link's target.
  mkdir -p real/inner
  module real/m.mdl 10 100
  module m.mdl 10 0
  ln -s real/inner lnk
  run_cli convert --factor 1 lnk/../m.mdl out.mdl
  expect_status 0
  module expected.mdl 10 101
  expect_same out.mdl expected.mdl
fi
finish

begin "control characters in names"
module $'two\nconverted lines.mdl' 10 0
module $'esc\033[2J.mdl' 10 0
mkdir out
run_cli convert --factor 1 --output-dir out $'two\nconverted lines.mdl' $'esc\033[2J.mdl' $'gone\t.mdl'
expect_status 1
expect_err 'gone\t.mdl: Could not open the module to read'
if $under_wine; then
  # Windows refuses such names; the refusals still read one line each.
  expect_err 'two\nconverted lines.mdl: Could not open the module to read'
  expect_err 'esc\033[2J.mdl: Could not open the module to read'
  [ "$(tr -d '\r' <"$work/err" | wc -l)" -eq 3 ] || fail "a name broke a line on stderr"
else
  expect_out 'converted two\nconverted lines.mdl -> out/two\nconverted lines.mdl (10 variables, +1)'
  expect_out 'converted esc\033[2J.mdl -> out/esc\033[2J.mdl (10 variables, +1)'
  [ "$(wc -l <"$work/out")" -eq 3 ] || fail "a name broke a line on stdout"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "a name broke a line on stderr"
fi
cat "$work/out" "$work/err" | grep -q $'\033' && fail "an escape character was printed"
finish

# A source that would block: refused at once, and a stop ends the run anyway.
begin "a named pipe as the source"
mkfifo g.000 m.mdl
for command in "decompress g.000" "convert --factor 1 m.mdl out.mdl"; do
  # The bound only keeps a faulty run from hanging the test.
  timeout -s KILL 60 $runner "$cli" $command >"$work/out" 2>"$work/err" &
  pid=$!
  # Wine refuses a pipe at once, but would take a stop this early for its
  # own, before the program is running.
  if ! $under_wine; then
    sleep 0.5
    kill -INT "$pid" 2>/dev/null
  fi
  wait "$pid"
  status=$?
  [ "$status" -eq 1 ] || [ "$status" -eq 130 ] || fail "$command: exit code $status"
  $under_wine || expect_err "It is a named pipe (FIFO), not a regular file"
done
[ -p g.000 ] && [ -p m.mdl ] || fail "a pipe was replaced"
expect_files g.000 m.mdl
finish

begin "exit codes and usage"
run_cli --version
expect_status 0
expect_out "stavrel-cli "
for command in convert decompress recompress; do
  run_cli $command --help
  expect_status 0
  expect_out "Usage:"
done
run_cli decompress --name x.sds one.003 two.003
expect_status 1
expect_err "--name goes with one state only"
run_cli convert --factor 1 a b c
expect_status 1
# gzip's warning (trailing garbage) with the state decompressed: exit 2.
module a.mdl 10 0
gzip -c a.mdl >warn.003
echo "garbage" >>warn.003
run_cli decompress warn.003
expect_status 2
expect_err "warn.003: warning: The state was decompressed to"
expect_err "trailing garbage ignored"
expect_same warn.sds a.mdl
run_cli recompress --quiet warn.sds
expect_status 0
[ -s "$work/out" ] && fail "--quiet printed results"
finish

begin "factors read whole, or refused before anything is touched"
module a.mdl 10 0
for row in "0x100|+256" "-&H10|-16" " - 0x1 0 |-16"; do
  run_cli convert --factor "${row%|*}" a.mdl out.mdl
  expect_status 0
  expect_out "converted a.mdl -> out.mdl (10 variables, ${row#*|})"
  module expected.mdl 10 "${row#*|}"
  expect_same out.mdl expected.mdl
  rm out.mdl
done
for row in '12abc| (only "12" of it could be read)' 'abc|'; do
  run_cli convert --factor "${row%|*}" --output-dir . a.mdl
  expect_status 1
  [ "$(tr -d '\r' <"$work/err")" = "stavrel-cli: --factor \"${row%|*}\": not a number${row#*|}
Try 'stavrel-cli convert --help'." ] || fail "factor ${row%|*}"
done
expect_files a.mdl expected.mdl
finish

begin "a dry run says what a real run says and touches nothing"
mkdir out
module a.mdl 10 0
module three.mdl 3 0
module game.mdl 100 0
gzip -c game.mdl >game.003
cp game.mdl g.sds
echo "old" >g.001
listing() { find . -printf '%y %p %s %l\n' | LC_ALL=C sort; find . -type f -exec sha256sum {} + | LC_ALL=C sort; }
before=$(listing)
run_cli convert -n --factor 0x10 --output-dir out a.mdl three.mdl missing.mdl
expect_status 1
expect_out "would convert a.mdl -> out${sep}a.mdl (10 variables, +16)"
expect_err "three.mdl: At least 4 variables needed to convert. An unchanged copy would be written to out${sep}three.mdl."
expect_err "missing.mdl: Could not open the module to read"
expect_out "would convert 1 module, 2 would fail"
run_cli -n decompress --keep game.003
expect_status 0
expect_out "would decompress game.003 -> game.sds"
run_cli recompress --dry-run --slot 1 g.sds
expect_status 1
expect_err "g.001: A file is in the way"
[ "$(listing)" = "$before" ] || fail "a dry run changed the folder"
run_cli convert --factor 0x10 --output-dir out a.mdl three.mdl missing.mdl
expect_status 1
expect_out "converted a.mdl -> out${sep}a.mdl (10 variables, +16)"
expect_err "three.mdl: At least 4 variables needed to convert. An unchanged copy was written to out${sep}three.mdl."
expect_same out/three.mdl three.mdl
finish

begin "keep, slots, and no second gzip wrap"
module game.mdl 100 0
gzip -c game.mdl >game.003
cp game.003 orig.gz
run_cli decompress -k game.003
expect_status 0
expect_same game.003 orig.gz
expect_same game.sds game.mdl
run_cli recompress --keep --slot 1 game.sds
expect_status 0
expect_out "recompressed game.sds -> game.001"
expect_same game.sds game.mdl
gzip -dc <game.001 | cmp -s - game.mdl || fail "game.001 does not hold the data"
run_cli recompress game.003
expect_status 1
expect_err "stavrel-cli: game.003: The file is already gzip data (a compressed state): compressing it again would wrap it twice. Give --force to compress it all the same. Nothing was changed."
expect_files game.001 game.003 game.mdl game.sds orig.gz
run_cli -f recompress --slot 7 game.003
expect_status 0
gzip -dc <game.007 | cmp -s - orig.gz || fail "game.007 does not hold the state compressed again"
expect_files game.001 game.007 game.mdl game.sds orig.gz
finish

begin "usage errors: one line each, and where to read more"
module a.mdl 10 0
# arguments | the line | the command whose help is offered
while IFS='|' read -r arguments said command; do
  # shellcheck disable=SC2086
  run_cli $arguments
  expect_status 1
  [ "$(tr -d '\r' <"$work/err")" = "stavrel-cli: $said
Try 'stavrel-cli ${command:+$command }--help'." ] || fail "$arguments"
done <<'ROWS'
convert --factr 1 a.mdl b.mdl|unknown option '--factr'|convert
convert --factor 1 --factor 2 a.mdl b.mdl|option '--factor' given more than once|convert
convert --factor 1|no module given|convert
convert a.mdl b.mdl|no factor given (--factor TEXT)|convert
convert --factor 1 a.mdl b.mdl c.mdl|extra operand 'c.mdl' (several modules go with --output-dir DIR)|convert
convert a.mdl b.mdl --factor|option '--factor' needs a value|convert
decompress -f a.003|unknown option '-f'|decompress
recompress|no .sds file given|recompress
recompress --slot 1000 a.sds|--slot "1000": not a slot number from 0 to 999|recompress
|no command given|
frobnicate a.mdl|unknown command 'frobnicate'|
--factr 1 a.mdl b.mdl|unknown option '--factr'|
ROWS
# Options before the command, and the short forms.
run_cli -q -n convert --factor 1 a.mdl b.mdl
expect_status 0
[ -s "$work/out" ] && fail "-q before the command printed results"
run_cli --factor 2 convert a.mdl b.mdl
expect_status 0
module expected.mdl 10 2
expect_same b.mdl expected.mdl
if $under_wine; then
  run_cli '/?'
  expect_out "Subcommands:"
fi
finish

begin "state cycle"
module game.mdl 5000 7
gzip -c game.mdl >"game é.003"
run_cli decompress "game é.003"
expect_status 0
expect_out "decompressed game é.003 -> game é.sds"
expect_files "game é.sds" game.mdl
expect_same "game é.sds" game.mdl
run_cli recompress "game é.sds"
expect_status 0
expect_files "game é.000" game.mdl
gzip -dc <"game é.000" | cmp -s - game.mdl || fail "the recompressed state does not hold the data"
run_cli decompress --name "Édition 日本.sds" "game é.000"
expect_status 0
expect_files game.mdl "Édition 日本.sds"
expect_same "Édition 日本.sds" game.mdl
# "/", "." and ".." in a name: the state's folder is still its own.
mkdir sub
gzip -c game.mdl >sub/g.003
run_cli decompress "sub/../sub/./g.003"
expect_status 0
expect_files_in sub g.sds
expect_same sub/g.sds game.mdl
finish

begin "unicode module names"
module "modülé 日本.mdl" 10 0
mkdir "sortie ü"
run_cli convert --factor 3 --output-dir "sortie ü" "modülé 日本.mdl"
expect_status 0
module expected.mdl 10 3
expect_same "sortie ü/modülé 日本.mdl" expected.mdl
finish

begin "wildcards on Windows"
if $under_wine; then
  mkdir mods out
  module mods/a.mdl 10 0
  module mods/b.mdl 10 0
  # cmd.exe passes the pattern on as it is.
  run_cli convert --factor 1 --output-dir out 'mods\*.mdl'
  expect_status 0
  expect_files_in out a.mdl b.mdl
  run_cli decompress 'mods\*.007' 'mods\a.mdl'
  expect_status 1
  expect_err 'mods\*.007: no file matches. Nothing was read or changed.'
  expect_err 'mods\a.mdl: gzip.exe could not decompress the state: not in gzip format'
  expect_files mods out
fi
finish

begin "gzip where an installed program keeps it"
if ! $under_wine; then
  # <prefix>/bin/stavrel-cli runs <prefix>/libexec/stavrel/gzip.
  mkdir -p bin libexec/stavrel
  cp "$cli" bin/
  cp "$(dirname "$cli")/gzip" libexec/stavrel/gzip
  module game.mdl 100 0
  gzip -c game.mdl >game.003
  bin/stavrel-cli decompress game.003 >"$work/out" 2>"$work/err"
  status=$?
  expect_status 0
  expect_same game.sds game.mdl
fi
finish

# --- stopping ----------------------------------------------------------------

# Waits up to 20 s for a file to appear.
wait_for() {
  local i
  for ((i = 0; i < 2000; i++)); do [ -e "$1" ] && return 0; sleep 0.01; done
  return 1
}

# stop_while_gzip_works SIGNAL
stop_while_gzip_works() {
  begin "SIG$1 while gzip works"
  mkdir program
  cp "$cli" program/
  cp "$hanging_gzip" program/gzip.exe
  for n in 1 2 3; do echo "state $n" | gzip >"s$n.003"; done
  # Under Wine the runner becomes the program, and Wine hands SIGINT to
  # the console's Ctrl+C handler.
  $runner "$PWD/program/$(basename "$cli")" decompress s1.003 s2.003 s3.003 >"$work/out" 2>"$work/err" &
  pid=$!
  wait_for hang.pid || fail "gzip never started"
  kill -"$1" "$pid"
  wait "$pid"
  status=$?
  expect_status 130
  expect_err "stopped: 3 of 3 files not done and left as they were"
  # The progress line is for a terminal only.
  grep -q '\] [0-9]*% ' "$work/err" && fail "a progress line went to the file"
  rm -f hang.pid
  expect_files program s1.003 s2.003 s3.003
  finish
}
stop_while_gzip_works INT
# Wine has no console event for these.
$under_wine || stop_while_gzip_works TERM
$under_wine || stop_while_gzip_works HUP

# On a terminal, gzip at work shows how long it has worked and what it has
# written. It finishes, then hangs until it is stopped: the state is done.
begin "progress on a terminal"
if ! $under_wine; then
  mkdir program
  cp "$cli" program/
  cp "$hanging_gzip" program/gzip.exe
  echo "state" | gzip >s.003
  HANGING_GZIP_FINISHES=1 script -qfec "'$PWD/program/$(basename "$cli")' decompress s.003" "$work/tty" \
    >/dev/null 2>&1 &
  pid=$!
  wait_for hang.pid || fail "gzip never started"
  for ((i = 0; i < 2000; i++)); do grep -qF "MB written" "$work/tty" && break; sleep 0.01; done
  kill -INT "$(ps -o ppid= -p "$(cat hang.pid)")"
  wait "$pid"
  grep -qF "1/1 s.003 gzip: " "$work/tty" || fail "no progress line: $(cat -v "$work/tty")"
  grep -qF ", 0.0 MB written" "$work/tty" || fail "no bytes written: $(cat -v "$work/tty")"
  rm -f hang.pid
  expect_files program s.sds
fi
finish

begin "Ctrl+C in the middle of a batch"
mkdir out
# Links to one 4 MB module: many sources, little time spent making them.
module m1.mdl 160000 0
for n in $(seq 2 60); do ln m1.mdl "m$n.mdl"; done
module expected.mdl 160000 9
$runner "$cli" convert --factor 9 --output-dir out m*.mdl >"$work/out" 2>"$work/err" &
pid=$!
wait_for out/m1.mdl || fail "nothing was converted"
kill -INT "$pid"
wait "$pid"
status=$?
expect_status 130
expect_err "files not done and left as they were"
[ "$(ls out | wc -l)" -lt 60 ] || fail "the whole batch ran"
for made in out/*; do cmp -s "$made" expected.mdl || fail "$made is not a complete conversion"; done
finish

echo "cli black-box: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
