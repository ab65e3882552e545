#!/bin/bash
# Runs our gzip and the system's GNU gzip side by side on the same files and
# compares what a user sees: exit status, standard error, standard output,
# which files remain, their contents, times and permissions.
#
# usage: blackbox.sh <runner-or-empty> <path-to-our-gzip> [<path-to-the-seam-build>]
#   runner: a program that runs ours, e.g. cmake/wine-run.sh for gzip.exe
#   seam build: ours with a folder swapped for a link mid-walk
#   (tests/gzip/swapped_folder_seam.cpp)
set -u

runner=${1:-}
ours=${2:?usage: blackbox.sh <runner-or-empty> <path-to-our-gzip> [<path-to-the-seam-build>]}
seam=${3:-}
reference=${GZIP_REFERENCE:-/usr/bin/gzip}
[ "$runner" = "-" ] && runner=
under_wine=false
[ -n "$runner" ] && under_wine=true

if [ ! -x "$reference" ]; then
  echo "SKIP: no reference gzip at $reference"
  exit 0
fi
case $ours in /*) ;; *) ours=$PWD/$ours ;; esac
case $seam in /* | "") ;; *) seam=$PWD/$seam ;; esac

# Plain English messages, UTF-8 names (Wine converts arguments and file names
# with the locale), and no options from the environment.
export LC_ALL=C.UTF-8
unset GZIP POSIXLY_CORRECT

work=$(mktemp -d "${TMPDIR:-/tmp}/gzip-blackbox.XXXXXX")
trap 'chmod -R u+rwx "$work" 2>/dev/null; rm -rf "$work"' EXIT
fixture=$work/fixture
passed=0
failed=0
skipped=0
case_name=
case_failed=false

# --- the two programs ------------------------------------------------------

run_ours() { $runner "$ours" "$@"; }
# Run as plain "gzip" so that getopt's messages name it as ours do.
run_reference() { (exec -a gzip "$reference" "$@"); }

# --- cases -----------------------------------------------------------------

# begin <name>: a fresh, empty fixture folder to set the case up in.
begin() {
  case_name=$1
  case_failed=false
  rm -rf "$fixture"
  mkdir -p "$fixture"
  cd "$fixture" || exit 1
  settled=false
}

fail() {
  echo "FAIL [$case_name] $*"
  case_failed=true
}

finish() {
  cd "$work" || exit 1
  if $case_failed; then
    failed=$((failed + 1))
  else
    passed=$((passed + 1))
  fi
}

skip() {
  echo "SKIP [$1] $2"
  skipped=$((skipped + 1))
}

# Gives every file in the fixture the same whole-second time, so that times
# can be compared exactly (Windows keeps 100 ns steps).
settle() {
  find "$fixture" -type f -exec touch -d @1600000000 {} +
  settled=true
}

# --- inputs ----------------------------------------------------------------

text_file() { seq 1 "$2" | sed 's/$/ lorem ipsum dolor/' >"$1"; }
random_file() { head -c "$2" /dev/urandom >"$1"; }
# Like a save state: repeated records with a little noise in each.
state_file() {
  perl -e 'srand($ARGV[1]); for my $i (0 .. $ARGV[0] - 1) {
    print pack("A8 C8", sprintf("REG%04d", $i % 10000), map { int(rand(256)) } 1 .. 8), "\0" x 48 }' "$2" "$RANDOM" >"$1"
}
# An empty member with an extra field, the name "orig", a comment and a
# correct header CRC.
header_fields_gz() {
  printf "\037\213\010\036\000\000\000\000\000\003\004\000ab\001\000orig\000a comment\000" >"$1"
  local crc
  crc=$(gzip -c <"$1" | tail -c 8 | od -An -tu4 -N4)
  printf "\\$(printf %o $((crc & 255)))\\$(printf %o $(((crc >> 8) & 255)))" >>"$1"
  printf "\003\000\000\000\000\000\000\000\000\000" >>"$1"
}
# A gzip file made by the reference, whatever its options.
ref_gz() { "$reference" "$@"; }

# --- comparing -------------------------------------------------------------

normalise_errors() { sed -e 's#^[^ ]*gzip\(\.exe\)\?: #gzip: #' -e 's#\r$##' "$1"; }
# Compression ratios depend on the deflate implementation: zlib's output is
# not GNU gzip's, so -v's percentages may differ when compressing.
masked_errors() { normalise_errors "$1" | sed -E 's#[ -]*[0-9]+\.[0-9]%#(ratio)#'; }

# Header fields in hex (magic, method, flags, time, XFL, OS) and FNAME.
header_of() {
  od -An -tx1 -N10 "$1" | tr -d ' \n'
  if [ $(($(od -An -tu1 -j3 -N1 "$1") & 8)) -ne 0 ]; then
    printf ' name='
    tail -c +11 "$1" | head -c 4096 | tr '\0' '\n' | head -n 1
  fi
}

is_gzip() { [ "$(od -An -tx1 -N2 "$1" 2>/dev/null | tr -d ' ')" = 1f8b ]; }

# Same bytes, or (for gzip files) the same header and decompressed bytes:
# our compressed data is zlib's, not GNU gzip's.
same_content() {
  local a=$1 b=$2
  cmp -s "$a" "$b" && return 0
  is_gzip "$a" && is_gzip "$b" || return 1
  [ "$(header_of "$a")" = "$(header_of "$b")" ] || return 1
  cmp -s <("$reference" -dc <"$a" 2>&1) <("$reference" -dc <"$b" 2>&1)
}

file_facts() {
  (cd "$1" && find . -mindepth 1 | LC_ALL=C sort | while read -r f; do
    if [ -L "$f" ]; then
      echo "$f -> link"
    elif [ -f "$f" ]; then
      if $under_wine; then stat -c '%n %Y' "$f"; else stat -c '%n %y %a' "$f"; fi
    else
      stat -c '%n %F' "$f"
    fi
  done)
}

# Lines in a set order, blank ones dropped: for output whose order follows a
# folder listing, which Windows (and Wine) gives in another order than Linux.
sorted_lines() { grep -av '^$' | LC_ALL=C sort; }
sorted_errors() { $order_free_errors "$1" | sorted_lines; }

# compare [--stdin FILE | --pipe FILE] [--stdout raw|gz|none] [--tty]
#         [--any-ratio] [--any-order] -- ARGS
# Runs both programs in copies of the fixture and compares everything.
compare() {
  local stdin=/dev/null pipe= stdout_kind=raw tty=false errors=normalise_errors any_order=false
  while [ $# -gt 0 ]; do
    case $1 in
      --stdin) stdin=$2; shift 2 ;;
      --pipe) pipe=$2; shift 2 ;;
      --stdout) stdout_kind=$2; shift 2 ;;
      --tty) tty=true; shift ;;
      --any-ratio) errors=masked_errors; shift ;;
      --any-order) any_order=true; shift ;;
      --) shift; break ;;
      *) break ;;
    esac
  done
  $settled || settle
  local side
  for side in ours ref; do
    rm -rf "$work/$side" "$work/$side.out" "$work/$side.err"
    cp -a "$fixture" "$work/$side"
  done
  for side in ours ref; do
    local program=run_ours
    [ $side = ref ] && program=run_reference
    (
      cd "$work/$side" || exit 99
      if $tty; then
        # script(1) gives the program a terminal; its transcript is stdout.
        local command
        printf -v command '%q ' "$program" "$@"
        export -f run_ours run_reference
        export runner ours reference
        SHELL=/bin/bash script -qec "$command" /dev/null </dev/null | tr -d '\r'
        exit "${PIPESTATUS[0]}"
      elif [ -n "$pipe" ]; then
        cat "$pipe" | $program "$@"
      else
        [ "$stdin" = /dev/null ] || stdin=$work/$side/$stdin
        $program "$@" <"$stdin"
      fi
    ) >"$work/$side.out" 2>"$work/$side.err"
    echo $? >"$work/$side.rc"
  done

  if $any_order && $under_wine; then
    order_free_errors=$errors
    errors=sorted_errors
    for side in ours ref; do
      if [ "$stdout_kind" = gz ]; then
        "$reference" -dc <"$work/$side.out" | sorted_lines >"$work/$side.sorted"
      else
        sorted_lines <"$work/$side.out" >"$work/$side.sorted"
      fi
      mv "$work/$side.sorted" "$work/$side.out"
    done
    [ "$stdout_kind" = gz ] && stdout_kind=raw
  fi

  local rc_ours rc_ref
  rc_ours=$(cat "$work/ours.rc")
  rc_ref=$(cat "$work/ref.rc")
  [ "$rc_ours" = "$rc_ref" ] || fail "exit status: ours $rc_ours, GNU gzip $rc_ref ($*)"
  if ! diff <($errors "$work/ours.err") <($errors "$work/ref.err") >"$work/diff"; then
    fail "standard error differs ($*):"
    sed 's/^/    /' "$work/diff"
  fi
  case $stdout_kind in
    raw) cmp -s "$work/ours.out" "$work/ref.out" || fail "standard output differs ($*)" ;;
    gz) same_content "$work/ours.out" "$work/ref.out" || fail "compressed standard output differs ($*)" ;;
  esac
  if ! diff <(file_facts "$work/ours") <(file_facts "$work/ref") >"$work/diff"; then
    fail "resulting files differ ($*):"
    sed 's/^/    /' "$work/diff"
  fi
  local f
  while read -r f; do
    [ -f "$work/ref/$f" ] && [ ! -L "$work/ref/$f" ] || continue
    same_content "$work/ours/$f" "$work/ref/$f" || fail "content of $f differs ($*)"
  done < <(cd "$work/ours" && find . -type f)
}

# A case that is just one comparison.
check() {
  local name=$1
  shift
  begin "$name"
  eval "$1"
  shift
  compare "$@"
  finish
}

cd "$work" || exit 1

# --- compressing -----------------------------------------------------------

check "compress one file" 'text_file a 2000' -- a
check "compress keeping the input" 'text_file a 2000' -- -k a
check "compress to standard output" 'text_file a 2000' --stdout gz -- -c a
check "compress level 1" 'text_file a 3000' -- -1 a
check "compress level 9" 'text_file a 3000' -- --best a
check "compress --fast" 'text_file a 3000' -- --fast -k a
check "compress without name and time" 'text_file a 100' -- -n a
check "compress with -N" 'text_file a 100' -- -N a
check "compress an empty file" ': >e' -- e
check "compress several files" 'text_file a 10; random_file b 5000; : >c' -- a b c
check "compress random data" 'random_file r 300000' -- r
check "compress save-state data" 'state_file s 4000' --any-ratio -- -v s
check "compress verbose" 'text_file a 1000' --any-ratio -- -v a
check "compress verbose keeping" 'text_file a 1000' --any-ratio -- -kv a
check "compress verbose to stdout" 'text_file a 1000; text_file b 5' --stdout gz --any-ratio -- -cv a b
check "compress quiet verbose" 'text_file a 1000' -- -qv a
check "refuse existing output" 'text_file a 50; echo old >a.gz' -- a
check "refuse existing output quietly" 'text_file a 50; echo old >a.gz' -- -q a
check "force over existing output" 'text_file a 50; echo old >a.gz' -- -f a
check "already has .gz suffix" 'ref_gz -c /etc/hostname >a.gz' -- a.gz
check "already has suffix, several kinds" 'for s in .gz .GZ .z .Z -gz -z _z .tgz .taz .TGZ; do echo x >"a$s"; done' -- a.gz a.GZ a.z a.Z a-gz a-z a_z a.tgz a.taz a.TGZ
check "a bare suffix is a name" 'echo x >.gz' -- .gz
check "force compresses a .gz file again" 'ref_gz -c /etc/hostname >a.gz' -- -f a.gz
check "missing file" '' -- nothing
check "missing and present files" 'text_file b 20' -- nothing b
check "directory is ignored" 'mkdir d; text_file a 3' -- d a
check "own suffix" 'text_file a 30' -- -S .sav a
check "own suffix, long option" 'text_file a 30' -- --suffix=_cmp a
check "own suffix is already there" 'text_file a.sav 30' -- -S .sav a.sav
check "empty suffix" 'text_file a 30' -- -S "" a
check "suffix too long" 'text_file a 30' -- -S .0123456789012345678901234567890 a
check "output folder missing" 'text_file a 30' -- -S x/y a
check "names with blanks" 'text_file "save state 1" 30; text_file "  lead" 3' -- "save state 1" "  lead"
check "unicode names" 'text_file "état été.sds" 30; text_file "日本語" 5; text_file "Ωmega" 1' -- "état été.sds" "日本語" "Ωmega"
check "name starting with a dash" 'text_file ./-x 30' -- -- -x
check "options after operands" 'text_file a 30; text_file b 3' -- a -k b
check "bundled options" 'text_file a 30' -- -kv9 a
check "file time 1970 has no gzip time" 'text_file a 30; touch -d @0 a; settled=true' -- a
check "file time after 2106" 'text_file a 30; touch -d @5000000000 a; settled=true' -- -k a

# --- standard input and output ---------------------------------------------

check "compress standard input from a file" 'text_file in 500' --stdin in --stdout gz --
check "compress standard input through a pipe" 'text_file in 500' --pipe in --stdout gz --
check "compress dash operand" 'text_file in 500' --stdin in --stdout gz -- -
check "compress a file then standard input" 'text_file a 20; text_file in 30' --stdin in --stdout gz -- -c a -
check "compress standard input verbose" 'text_file in 500' --stdin in --stdout gz --any-ratio -- -v
check "decompress standard input" 'text_file a 500; ref_gz a' --stdin a.gz -- -d
check "decompress standard input through a pipe" 'text_file a 500; ref_gz a' --pipe a.gz -- -d
check "decompress standard input, not gzip" 'text_file a 5' --pipe a -- -d
check "decompress standard input, empty" '' -- -d -
check "decompress standard input stops the run" 'text_file a 5; text_file b 5; ref_gz b' --stdin a -- -d - b.gz
check "test standard input verbose" 'text_file a 500; ref_gz a' --stdin a.gz -- -tv
check "test standard input with trailing garbage" 'text_file a 500; ref_gz a; echo junk >>a.gz' --stdin a.gz -- -tv
check "test standard input with trailing zeros" 'text_file a 500; ref_gz a; printf "\000\000" >>a.gz' --stdin a.gz -- -tv
check "version" '' --stdout none -- -V

# --- decompressing ---------------------------------------------------------

check "decompress" 'text_file a 2000; ref_gz a' -- -d a.gz
check "decompress keeping" 'text_file a 2000; ref_gz a' -- -dk a.gz
check "decompress to standard output" 'text_file a 2000; ref_gz a' -- -dc a.gz
check "decompress finds the suffix" 'text_file a 200; ref_gz a' -- -d a
check "decompress finds other suffixes" 'text_file a 20; ref_gz -S .z a; text_file b 3; ref_gz -S -z b; text_file c 2; ref_gz -S .Z c' -- -d a b c
check "decompress missing, no suffix" '' -- -d nothing
check "decompress missing with suffix" '' -- -d nothing.gz
check "decompress suffix rules" 'for s in .gz -gz .z -z _z .GZ; do echo "x$s" | ref_gz >"a$s"; done; echo t | ref_gz >b.tgz; echo u | ref_gz >c.taz; echo v | ref_gz >D.TGZ' -- -d a.gz a-gz a.z a-z a_z a.GZ b.tgz c.taz D.TGZ
check "decompress own suffix" 'text_file a 30; ref_gz -S .sav a' -- -d -S .sav a.sav
check "decompress own suffix that ends a builtin one" 'text_file a 30; ref_gz a' -- -d -S z a.gz
check "decompress unknown suffix" 'text_file a 3' -- -d a
check "decompress unknown suffix quietly" 'text_file a 3' -- -dq a
check "decompress refuses existing output" 'text_file a 30; ref_gz -k a' -- -d a.gz
check "decompress forced over existing output" 'text_file a 30; ref_gz -k a; echo old >a' -- -df a.gz
check "decompress keeps the file's time" 'text_file a 30; ref_gz a; settle; touch -d @1500000000 a.gz' -- -d a.gz
check "decompress with -N restores name and time" 'text_file orig 30; touch -d @1400000000 orig; ref_gz orig; mv orig.gz other.gz; touch -d @1500000000 other.gz; settled=true' -- -dN other.gz
check "decompress -N into a folder" 'mkdir sub; text_file sub/orig 30; touch -d @1400000000 sub/orig; ref_gz sub/orig; mv sub/orig.gz sub/x.gz; settled=true' -- -dN sub/x.gz
check "decompress -N with a stored path" 'printf "\037\213\010\010\000\000\000\000\000\003../evil\000\003\000\000\000\000\000\000\000\000\000" >p.gz' -- -dN p.gz
check "decompress without name ignores stored name" 'text_file orig 30; ref_gz orig; mv orig.gz other.gz' -- -dn other.gz
check "decompress verbose" 'text_file a 2000; ref_gz a' -- -dv a.gz
check "decompress verbose keeping" 'text_file a 2000; ref_gz a' -- -dkv a.gz
check "decompress multi-member" 'text_file a 200; text_file b 300; ref_gz -c a >m.gz; ref_gz -c b >>m.gz; ref_gz -c /dev/null >>m.gz' -- -d m.gz
check "decompress multi-member verbose" 'text_file a 200; ref_gz -c a >m.gz; ref_gz -c a >>m.gz' -- -dv m.gz
check "decompress several operands" 'text_file a 20; text_file b 30; ref_gz a b' -- -d a.gz b.gz
check "decompress names with blanks and unicode" 'text_file "ma sauvegarde" 20; text_file "Ärger ß" 30; ref_gz "ma sauvegarde" "Ärger ß"' -- -d "ma sauvegarde.gz" "Ärger ß.gz"
check "decompress empty member" 'ref_gz -c /dev/null >e.gz' -- -d e.gz
check "decompress with extra field, comment and header CRC" 'header_fields_gz h.gz' -- -dv h.gz
check "decompress zcat -f style" 'text_file plain 30; text_file a 20; ref_gz a' --stdout raw -- -dcf plain a.gz
check "decompress zcat -f with trailing data" 'text_file a 20; ref_gz a; echo tail >>a.gz' -- -dcf a.gz

# --- broken input ----------------------------------------------------------

check "not in gzip format" 'text_file a.gz 20' -- -d a.gz
check "not in gzip format, then a good file" 'text_file a.gz 20; text_file b 20; ref_gz b' -- -d a.gz b.gz
check "not in gzip format to stdout" 'text_file a 20' -- -dc a
check "empty file" ': >e.gz' -- -d e.gz
check "one zero byte" 'printf "\000" >z.gz' -- -d z.gz
check "one other byte" 'printf "\037" >z.gz' -- -d z.gz
check "header only" 'text_file a 200; ref_gz -c a | head -c 10 >t.gz' -- -d t.gz
check "truncated in the name" 'text_file a 200; ref_gz -c a | head -c 12 >a.gz' -- -d a.gz
check "truncated data" 'text_file a 5000; ref_gz -c -n a | head -c 3000 >t.gz' -- -d t.gz
check "truncated data stops the run" 'text_file a 5000; ref_gz -c -n a | head -c 3000 >t.gz; text_file b 3; ref_gz b' -- -d t.gz b.gz
check "truncated data to stdout" 'text_file a 50000; ref_gz -c -n a | head -c 30000 >t.gz' --stdout none -- -dc t.gz
check "truncated trailer" 'text_file a 5000; ref_gz -c a >t.gz; s=$(stat -c %s t.gz); head -c $((s - 3)) t.gz >u.gz; rm t.gz' -- -d u.gz
check "crc error" 'text_file a 500; ref_gz -c a >c.gz; s=$(stat -c %s c.gz); printf "\377" | dd of=c.gz bs=1 seek=$((s - 8)) conv=notrunc 2>/dev/null' -- -d c.gz
check "crc error stops the run" 'text_file a 500; ref_gz -c a >c.gz; s=$(stat -c %s c.gz); printf "\377" | dd of=c.gz bs=1 seek=$((s - 8)) conv=notrunc 2>/dev/null; text_file b 3; ref_gz b' -- -d c.gz b.gz
check "crc error to stdout" 'text_file a 500; ref_gz -c a >c.gz; s=$(stat -c %s c.gz); printf "\377" | dd of=c.gz bs=1 seek=$((s - 8)) conv=notrunc 2>/dev/null' -- -dc c.gz
check "length error" 'text_file a 500; ref_gz -c a >c.gz; s=$(stat -c %s c.gz); printf "\377" | dd of=c.gz bs=1 seek=$((s - 1)) conv=notrunc 2>/dev/null' -- -d c.gz
check "crc and length error" 'text_file a 500; ref_gz -c a >c.gz; s=$(stat -c %s c.gz); printf "\377\377\377\377\377\377\377\377" | dd of=c.gz bs=1 seek=$((s - 8)) conv=notrunc 2>/dev/null' -- -d c.gz
check "invalid deflate data" 'text_file a 500; ref_gz -c -n a >c.gz; printf "\007" | dd of=c.gz bs=1 seek=10 conv=notrunc 2>/dev/null' -- -d c.gz
check "unknown method" 'printf "\037\213\007\000\000\000\000\000\000\003\003\000\000\000\000\000\000\000\000\000" >m.gz' -- -d m.gz
check "encrypted" 'printf "\037\213\010\040\000\000\000\000\000\003\003\000\000\000\000\000\000\000\000\000" >m.gz' -- -d m.gz
check "reserved flags" 'printf "\037\213\010\100\000\000\000\000\000\003\003\000\000\000\000\000\000\000\000\000" >m.gz' -- -d m.gz
check "bad header crc" 'printf "\037\213\010\002\000\000\000\000\000\003\064\022\003\000\000\000\000\000\000\000\000\000" >m.gz' -- -d m.gz

# A dynamic deflate block whose code-length code has no codes (GNU's hufts test).
check "empty code-length code" 'printf "\037\213\010\000\060\060\060\060\060\060\144\000\000\000" >h.gz' -- -d h.gz
check "empty code-length code, standard input" 'printf "\037\213\010\000\060\060\060\060\060\060\144\000\000\000" >h' --stdin h -- -d

# --- LZW (compress, .Z) and packed (pack, .z) input ------------------------

# "banana" as pack writes it (GNU's unpack-valid test); packed_with N BYTE
# writes it to b.z with its byte N replaced (octal).
banana='\037\036\000\000\000\006\003\001\001\000\141\156\142\026\310'
packed_with() { printf "$banana" >b.z; [ $# = 0 ] || printf "\\$2" | dd of=b.z bs=1 seek="$1" conv=notrunc 2>/dev/null; }
check "packed file" 'packed_with' -- -d b.z
check "packed file, verbose" 'packed_with' -- -dv b.z
check "packed file, test" 'packed_with' -- -tv b.z
check "packed then gzip member, then garbage" 'packed_with; text_file a 30; ref_gz -c a >>b.z; echo junk >>b.z' -- -d b.z
check "gzip member then packed member" 'text_file a 30; ref_gz a; printf "$banana" >>a.gz' -- -dv a.gz
check "packed, wrong length" 'packed_with 5 007' -- -d b.z
check "packed, wrong length, to stdout" 'packed_with 5 005' -- -dc b.z
check "packed, cut" 'packed_with; head -c 14 b.z >c.z; rm b.z' -- -dc c.z
check "packed, cut in its tree, stops the run" 'packed_with; head -c 11 b.z >c.z; rm b.z; text_file a 3; ref_gz a' -- -d c.z a.gz
check "packed, code length out of range" 'packed_with 6 032' -- -d b.z
check "packed, too many leaves" 'packed_with 7 003' -- -d b.z
check "packed, too few leaves" 'printf "\037\036\000\000\000\001\002\000\000\141\020" >b.z' -- -d b.z
check "LZW, 17 bits, the run goes on" 'printf "\037\235\221abc" >x.Z; text_file b 3; ref_gz b' -- -dc x.Z b.gz
check "LZW, unknown flags" 'printf "\037\235\360\141\002\012\004" >x.Z' -- -d x.Z
check "LZW, code beyond the table" 'printf "\037\235\220\141\304\260\004" >x.Z' -- -d x.Z
check "LZW, code beyond the table, to stdout" 'printf "\037\235\220\141\304\260\004" >x.Z' -- -dc x.Z
check "LZW, code beyond the table, test" 'printf "\037\235\220\141\304\260\004" >x.Z' -- -t x.Z
check "LZW, first code not a byte, stops the run" 'printf "\037\235\220\377\001" >x.Z; text_file b 3; ref_gz b' -- -d x.Z b.gz
check "LZW, magic number only" 'printf "\037\235" >x.Z' -- -d x.Z
check "LZW, header only" 'printf "\037\235\220" >x.Z' -- -dv x.Z
# Real .Z files from ncompress, when it is installed.
if command -v compress >/dev/null; then
  lzw_file() { text_file "$1" "$2"; compress -c -b "$3" <"$1" >"$1.Z"; rm "$1"; }
  check "LZW file, 16 bits" 'lzw_file a 30000 16' -- -d a.Z
  check "LZW file, 12 bits, verbose" 'lzw_file a 30000 12' -- -dv a.Z
  check "LZW file, 10 bits, to stdout" 'lzw_file a 30000 10' -- -dc a.Z
  check "LZW file, test" 'lzw_file a 3000 16' -- -tv a.Z
  check "LZW file, -dcf" 'lzw_file a 3000 16' -- -dcf a.Z
  check "LZW file, standard input" 'lzw_file a 3000 16' --stdin a.Z -- -d
  check "LZW file, cut" 'lzw_file a 30000 16; head -c 5000 a.Z >c.Z; rm a.Z' -- -d c.Z
  check "LZW file, random data" 'random_file r 200000; compress -c r >r.Z; rm r' -- -d r.Z
  check "LZW after a gzip member" 'text_file a 300; ref_gz a; text_file b 3000; compress -c b >>a.gz' -- -d a.gz
  check "LZW, gzip member after it is LZW data" 'lzw_file a 300 16; text_file b 30; ref_gz -c b >>a.Z' -- -d a.Z
else
  skip "LZW files" "no compress (Debian package ncompress)"
fi
check "trailing zeros" 'text_file a 500; ref_gz a; head -c 1000 /dev/zero >>a.gz' -- -d a.gz
check "trailing zeros verbose" 'text_file a 500; ref_gz a; head -c 3 /dev/zero >>a.gz' -- -dv a.gz
check "trailing garbage" 'text_file a 500; ref_gz a; echo garbage >>a.gz' -- -d a.gz
check "trailing garbage quietly" 'text_file a 500; ref_gz a; echo garbage >>a.gz' -- -dq a.gz
check "trailing zeros then garbage" 'text_file a 500; ref_gz a; printf "\000\000x" >>a.gz' -- -dc a.gz
check "trailing single byte" 'text_file a 500; ref_gz a; printf x >>a.gz' -- -dc a.gz
check "trailing magic only" 'text_file a 500; ref_gz a; printf "\037\213" >>a.gz' -- -dc a.gz

# --- testing ---------------------------------------------------------------

check "test good files" 'text_file a 50; text_file b 60; ref_gz a b' -- -t a.gz b.gz
check "test verbose" 'text_file a 50; ref_gz a; text_file n 3' -- -tv a.gz n
check "test crc error goes on" 'text_file a 500; ref_gz -c a >c.gz; s=$(stat -c %s c.gz); printf "\377" | dd of=c.gz bs=1 seek=$((s - 8)) conv=notrunc 2>/dev/null; text_file b 5; ref_gz b; text_file n 2' -- -t c.gz b.gz n
check "test truncated stops" 'text_file a 5000; ref_gz -c -n a | head -c 3000 >t.gz; text_file b 3; ref_gz b' -- -tv t.gz b.gz
check "test any name" 'text_file a 50; ref_gz -c a >plain' -- -tv plain

# --- listing ---------------------------------------------------------------

two_gz='text_file a 500; text_file b 3; ref_gz a b; ref_gz -c /dev/null >e.gz'
check "list one file" 'text_file a 500; ref_gz a' -- -l a.gz
check "list several, with totals" "$two_gz" -- -l a.gz b.gz e.gz
check "list verbose" "$two_gz" -- -lv a.gz b.gz
check "list quiet" "$two_gz" -- -lq a.gz b.gz
check "list quiet after verbose" "$two_gz" -- -lvq a.gz b.gz
check "list empty members only" 'ref_gz -c /dev/null >e.gz; cp e.gz f.gz' -- -l e.gz f.gz
check "list -N: stored name and time" 'text_file orig 30; touch -d @1400000000 orig; ref_gz orig; mv orig.gz other.gz; ref_gz -n -c /etc/hostname >n.gz' -- -lvN other.gz n.gz
check "list multi-member" 'text_file a 200; text_file b 3000; ref_gz -c a >m.gz; ref_gz -c b >>m.gz; ref_gz -c b >n.gz; ref_gz -c a >>n.gz' -- -lv m.gz n.gz
check "list any name, not gzip, missing" 'text_file a 30; ref_gz -c a >plain; text_file n 3' -- -l plain n nothing
check "list finds the suffix" 'text_file a 30; ref_gz a' -- -l a
check "list trailing garbage and zeros" 'text_file a 30; ref_gz -k a; cp a.gz z.gz; cp a.gz g.gz; echo junk >>g.gz; printf "\000\000" >>z.gz' -- -l g.gz z.gz a.gz
check "list trailing data verbose" 'text_file a 30; ref_gz -k a; cp a.gz z.gz; cp a.gz g.gz; echo junk >>g.gz; printf "\000\000" >>z.gz' -- -lv g.gz z.gz a.gz
check "list crc error goes on" 'text_file a 500; ref_gz -c a >c.gz; s=$(stat -c %s c.gz); printf "\377" | dd of=c.gz bs=1 seek=$((s - 8)) conv=notrunc 2>/dev/null; text_file b 5; ref_gz b' -- -l c.gz b.gz
check "list damaged inputs add up so far" 'text_file a 300; ref_gz -c a >p.gz; cp p.gz x.gz; echo junk >>x.gz; cp p.gz c.gz; s=$(stat -c %s c.gz); printf "\377" | dd of=c.gz bs=1 seek=$((s - 8)) conv=notrunc 2>/dev/null; text_file n 3' -- -l p.gz n c.gz p.gz x.gz
check "list a later member with a crc error" 'text_file a 300; ref_gz -c a >p.gz; cp p.gz c.gz; s=$(stat -c %s c.gz); printf "\377" | dd of=c.gz bs=1 seek=$((s - 8)) conv=notrunc 2>/dev/null; cat p.gz c.gz >m.gz; text_file n 3' -- -l p.gz n m.gz p.gz n c.gz
check "list damaged inputs quietly" 'text_file a 300; ref_gz -c a >p.gz; cp p.gz x.gz; printf "\037\213\011\000\000\000\000\000\000\003" >>x.gz' -- -lq p.gz x.gz
check "list truncated stops" 'text_file a 5000; ref_gz -c -n a | head -c 3000 >t.gz; text_file b 3; ref_gz b' -- -l t.gz b.gz
check "list a directory" 'mkdir d; text_file a 3; ref_gz a' -- -l d a.gz
check "list with extra field, comment and header CRC" 'header_fields_gz h.gz' -- -lvN h.gz
check "list LZW and packed files" 'packed_with; printf "\037\235\220\141\304\000" >ab.Z; text_file a 30; ref_gz -c a >m.gz; printf "$banana" >>m.gz' -- -lvN ab.Z b.z m.gz
check "list standard input" 'text_file a 500; ref_gz a' --stdin a.gz -- -lv
check "list standard input through a pipe" 'text_file a 500; ref_gz a' --pipe a.gz -- -lvN
check "list standard input and files" 'text_file a 500; ref_gz -k a; text_file b 3; ref_gz b' --stdin a.gz -- -l - b.gz a.gz

# --- walking folders (-r) ----------------------------------------------------

tree='mkdir -p t/sub/deep t/empty t/.hidden; text_file t/a 20; text_file t/sub/b 30; text_file t/sub/deep/c 5; text_file t/z.gz 3; ref_gz -c t/a >t/sub/already.gz; text_file t/.hidden/h 4'
gz_tree="$tree; ref_gz -rq t; cp t/sub/b.gz t/sub/noext; text_file t/sub/plain 3"
check "recursive compress" "$tree" --any-order -- -r t
check "recursive compress verbose" "$tree" --any-ratio --any-order -- -rv t
check "recursive compress, trailing slash" "$tree" --any-order -- -rk t/
check "recursive compress forced" "$tree" --any-order -- -rf t
check "recursive compress, file operands too" "$tree; text_file x 3" --any-order -- -r x t
check "recursive decompress" "$gz_tree" --any-order -- -rd t
check "recursive decompress verbose" "$gz_tree" --any-order -- -rdv t
check "recursive decompress quietly" "$gz_tree" --any-order -- -rdq t
check "recursive list" "$gz_tree" --any-order -- -rl t
check "recursive list verbose, totals" "$gz_tree" --any-order -- -rlv t t/sub/noext t/sub/b.gz
check "recursive test" "$gz_tree" --any-order -- -rt t
check "recursive test verbose" "$gz_tree" --any-order -- -rtv t
check "recursive to standard output" "$tree" --stdout gz --any-order -- -rc t
check "recursive decompress to standard output" "$gz_tree" --any-order -- -rdc t
check "directory without -r" "$tree" -- -v t t/a

# Links under Wine are the Unix ones, which it marks as reparse points.
check "recursive: a link to a folder is not followed" 'mkdir -p t/sub v; text_file t/sub/b 3; text_file v/x 5; ln -s ../v t/lnk' --any-order -- -r t
check "recursive: a link to a folder is followed with -f" 'mkdir -p t/sub v; text_file t/sub/b 3; text_file v/x 5; ln -s ../v t/lnk' --any-order -- -rf t

# GNU gzip 1.12 follows a link back up the tree with -rf until the path is
# too long, compressing what it meets again on every round; ours walks no
# folder it is already inside.
begin "recursive: a folder loop is walked once"
mkdir -p t/sub
text_file t/a 30
text_file t/sub/b 3
ln -s .. t/sub/up
run_ours -rf t >/dev/null 2>"$work/err"
rc=$?
[ $rc = 2 ] || fail "exit status $rc"
[ "$(normalise_errors "$work/err")" = "gzip: t/sub/up is a directory loop -- ignored" ] || fail "message: $(cat "$work/err")"
[ -f t/a.gz ] && [ -f t/sub/b.gz ] && [ ! -e t/a.gz.gz ] && [ -L t/sub/up ] || fail "files left: $(find t | sort | tr '\n' ' ')"
finish

# A folder swapped for a link to another one after -r opened it and before it
# read its names: natively the walk goes on in the folder it opened; on
# Windows the folder it holds cannot be moved. Either way nothing in the other
# folder changes.
if [ -n "$seam" ]; then
  begin "recursive: a folder swapped for a link mid-walk"
  mkdir -p d/sub victim
  for i in 1 2 3; do text_file "d/sub/f$i" 3; text_file "victim/f$i" 4; done
  cp -a victim "$work/victim.before"
  rm -f "$work/seam.log"
  GZIP_SEAM_FOLDER=d/sub GZIP_SEAM_LINK_TO="$fixture/victim" GZIP_SEAM_LOG="$work/seam.log" \
    $runner "$seam" -r -1 d >/dev/null 2>"$work/err"
  rc=$?
  [ $rc = 0 ] || fail "exit status $rc: $(cat "$work/err")"
  diff -r "$work/victim.before" victim >/dev/null || fail "the other folder changed: $(ls victim | tr '\n' ' ')"
  if $under_wine; then
    grep -q '^not moved' "$work/seam.log" || fail "the walked folder was moved: $(cat "$work/seam.log")"
    [ "$(ls d/sub | tr '\n' ' ')" = "f1.gz f2.gz f3.gz " ] || fail "files left: $(ls d/sub | tr '\n' ' ')"
  else
    [ "$(cat "$work/seam.log")" = "$(printf 'moved\nlinked')" ] || fail "no swap: $(cat "$work/seam.log")"
    [ -L d/sub ] && [ "$(ls d/sub.real | tr '\n' ' ')" = "f1.gz f2.gz f3.gz " ] ||
      fail "files left: $(find d | sort | tr '\n' ' ')"
  fi
  finish
fi

# --- options ---------------------------------------------------------------

check "help" '' --stdout none -- -h
check "invalid option" '' -- -x
check "help then invalid option" '' --stdout none -- --help -x
check "invalid option then help" '' -- -x --help
check "unrecognized long option" '' -- --bogus=1
check "ambiguous long option" '' -- --s
check "ambiguous name options" '' -- --n
check "abbreviated long options" 'text_file a 30' -- --std --dec --ke --no-n a
check "long option with needless argument" '' -- --stdout=3
check "suffix without argument" '' -- -S
check "long suffix without argument" '' -- --suffix
check "question mark option" '' -- '-?'
check "unsupported -Z" '' -- -Z
check "bits operand must be a number" 'text_file a 3' -- -b x a
check "double dash ends options" 'text_file ./-k 30' -- -v -- -k
check "everything long" 'text_file a 30; ref_gz -k a; rm a' -- --decompress --keep --verbose --name --force --quiet a.gz
check "stdout, to-stdout and uncompress" 'text_file a 30; ref_gz a' -- --to-stdout --uncompress a.gz
check "ascii is ignored" 'text_file a 30' --stdout gz -- -ac a

begin "GZIP variable"
text_file a 30
for value in "-9" "-q" "-v" "--rsyncable -1" "-d" "-S.x" "a" "-- a" "-x" "  "; do
  GZIP=$value compare --stdout gz --any-ratio -- -c a
done
finish

begin "POSIXLY_CORRECT stops at the first operand"
text_file a 30
text_file ./-k 3
POSIXLY_CORRECT=1 compare -- a -k
finish

# --- interoperation, both ways ---------------------------------------------

begin "interoperation"
text_file text 20000
random_file random 1048576
state_file state 20000
: >empty
head -c 200000 /dev/zero >zeros
for input in text random state empty zeros; do
  for level in 1 6 9; do
    run_ours -c -$level "$input" >"ours.$input.$level.gz" 2>"$work/err" || fail "ours -$level $input: $(cat "$work/err")"
    "$reference" -dc "ours.$input.$level.gz" | cmp -s - "$input" || fail "GNU gzip reads ours -$level $input wrongly"
    "$reference" -c -$level "$input" >"gnu.$input.$level.gz"
    # Into a file, not a pipe: a failure is then ours, with its own words.
    run_ours -dc "gnu.$input.$level.gz" >out 2>"$work/err" || fail "ours -d -$level $input: $(cat "$work/err")"
    cmp -s out "$input" || fail "ours reads GNU gzip -$level $input wrongly"
    [ "$(header_of "ours.$input.$level.gz")" = "$(header_of "gnu.$input.$level.gz")" ] ||
      fail "header of -$level $input: ours $(header_of "ours.$input.$level.gz"), GNU $(header_of "gnu.$input.$level.gz")"
  done
done
cat ours.text.6.gz gnu.state.9.gz ours.empty.1.gz gnu.random.1.gz >mixed.gz
cat text state empty random >mixed
run_ours -dc mixed.gz >out 2>"$work/err" || fail "ours -d mixed: $(cat "$work/err")"
cmp -s out mixed || fail "ours reads a mixed multi-member file wrongly"
"$reference" -dc mixed.gz | cmp -s - mixed || fail "GNU gzip reads a mixed multi-member file wrongly"
finish

# A reader that leaves early (head): GNU gzip is ended quietly by SIGPIPE,
# and ours as quietly, with the same status, where there is no such signal.
begin "standard output's reader leaves early"
random_file r 3000000
ref_gz r
for side in ours ref; do
  program=run_ours
  [ $side = ref ] && program=run_reference
  $program -dc r.gz 2>"$work/$side.err" | head -c 10 >/dev/null
  echo "${PIPESTATUS[0]}" >"$work/$side.rc"
done
[ "$(cat "$work/ours.rc")" = "$(cat "$work/ref.rc")" ] || fail "exit status: ours $(cat "$work/ours.rc"), GNU gzip $(cat "$work/ref.rc")"
[ ! -s "$work/ours.err" ] || fail "ours said: $(cat "$work/ours.err")"
finish

# --- what GNU gzip does differently, on purpose ----------------------------

# GNU gzip 1.12 keeps the output and removes the input when a later member's
# header is unusable; ours says the same but treats it as the error it is.
begin "bad second member keeps the input"
text_file a 500
ref_gz a
printf '\037\213\011\000\000\000\000\000\000\003' >>a.gz
run_ours -d a.gz >/dev/null 2>"$work/err"
rc=$?
[ $rc = 1 ] || fail "exit status $rc"
grep -q 'gzip: a.gz: unknown method 9 -- not supported' "$work/err" || fail "message: $(cat "$work/err")"
[ -f a.gz ] && [ ! -e a ] || fail "files left: $(ls -A)"
[ -z "$(ls -A | grep '^\.gzip-')" ] || fail "temporary left behind"
finish

# GNU gzip 1.12 writes an empty output for LZW data of over 16 bits and
# removes the input; ours keeps the input and writes nothing.
begin "refused LZW file keeps the input"
printf '\037\235\221abc' >x.Z
run_ours -d x.Z >/dev/null 2>"$work/err"
rc=$?
[ $rc = 1 ] || fail "exit status $rc"
grep -q 'gzip: x.Z: compressed with 17 bits, can only handle 16 bits' "$work/err" || fail "message: $(cat "$work/err")"
[ -f x.Z ] && [ ! -e x ] || fail "files left: $(ls -A)"
[ -z "$(ls -A | grep '^\.gzip-')" ] || fail "temporary left behind"
finish

# The same for LZW data that follows a member but is refused.
begin "refused LZW after a member keeps the input"
text_file a 500
ref_gz a
printf '\037\235\221abc' >>a.gz
run_ours -d a.gz >/dev/null 2>"$work/err"
rc=$?
[ $rc = 1 ] || fail "exit status $rc"
grep -q 'gzip: a.gz: compressed with 17 bits, can only handle 16 bits' "$work/err" || fail "message: $(cat "$work/err")"
[ -f a.gz ] && [ ! -e a ] || fail "files left: $(ls -A)"
[ -z "$(ls -A | grep '^\.gzip-')" ] || fail "temporary left behind"
finish

# --- Unix file kinds and permissions, terminals ----------------------------

if $under_wine; then
  skip "symbolic and hard links, FIFOs, special mode bits" "Unix file kinds do not exist under Wine"
  skip "permissions" "Wine maps no Unix permission bits"
  skip "terminals" "Wine's consoles are not Unix terminals"
else
  check "symbolic link is refused" 'text_file a 30; ln -s a l' -- l
  check "symbolic link with -f" 'text_file a 30; ln -s a l' -- -f l
  check "symbolic link with -c" 'text_file a 30; ln -s a l' --stdout gz -- -c l
  check "hard links are refused" 'text_file a 30; ln a b; ln a c' -- a
  check "hard links with -f" 'text_file a 30; ln a b' -- -f a
  check "FIFO is ignored" 'mkfifo f' -- f
  links_tree='mkdir -p t/sub; text_file t/a 30; text_file t/sub/b 3; ln -s a t/link; ln -s sub t/dirlink; ln t/a t/hard; mkfifo t/fifo'
  check "recursive: links and FIFOs" "$links_tree" --any-order -- -r t
  check "recursive: links and FIFOs forced" "$links_tree" --any-order -- -rf t
  check "recursive list follows links" "$links_tree; ref_gz -rfq t" --any-order -- -rl t
  check "recursive: a symbolic link to a folder" "$links_tree" --any-order -- -rv t/dirlink
  check "sticky file is ignored" 'text_file a 30; chmod +t a' -- a
  check "set-user-ID file is ignored" 'text_file a 30; chmod u+s a' -- a
  check "set-group-ID file is ignored" 'text_file a 30; chmod g+s a' -- -f a
  check "permissions are kept" 'text_file a 30; chmod 640 a; text_file b 3; chmod 604 b' -- a b
  check "permissions are kept decompressing" 'text_file a 30; ref_gz a; chmod 600 a.gz' -- -d a.gz

  # As root, permissions are not enforced: run both as nobody.
  as_user=
  if [ "$(id -u)" = 0 ]; then
    if command -v setpriv >/dev/null; then
      as_user="setpriv --reuid=65534 --regid=65534 --clear-groups"
    fi
  fi
  if [ "$(id -u)" = 0 ] && [ -z "$as_user" ]; then
    skip "unwritable folder" "running as root without setpriv"
  else
    begin "unwritable folder and unreadable file"
    mkdir ro
    text_file ro/a 30
    text_file b 30
    chmod 600 b
    chmod 555 ro
    for side in ours ref; do
      rm -rf "$work/$side"
      cp -a "$fixture" "$work/$side"
      chmod 777 "$work/$side"
      [ -n "$as_user" ] && chown root "$work/$side/b"
    done
    chmod 755 "$work"
    (cd "$work/ours" && $as_user $runner "$ours" ro/a b >"$work/ours.out" 2>"$work/ours.err")
    echo $? >"$work/ours.rc"
    (cd "$work/ref" && $as_user bash -c 'exec -a gzip "$0" "$@"' "$reference" ro/a b >"$work/ref.out" 2>"$work/ref.err")
    echo $? >"$work/ref.rc"
    [ "$(cat "$work/ours.rc")" = "$(cat "$work/ref.rc")" ] || fail "exit status: ours $(cat "$work/ours.rc"), GNU $(cat "$work/ref.rc")"
    diff <(normalise_errors "$work/ours.err") <(normalise_errors "$work/ref.err") || fail "standard error differs"
    diff <(file_facts "$work/ours") <(file_facts "$work/ref") || fail "resulting files differ"
    chmod 700 "$work"
    finish
  fi

  if command -v script >/dev/null; then
    check "no compressed data to a terminal" '' --tty --stdout raw --
    check "no compressed data from a terminal" '' --tty --stdout raw -- -d
    check "terminal refusal is quiet with -q" '' --tty --stdout raw -- -q
    check "terminal with -f" '' --tty --stdout none -- -f -c /dev/null
    check "file operand to a terminal" 'text_file a 3' --tty --stdout none -- -c a
  else
    skip "terminals" "no script(1) to provide one"
  fi
fi

echo "gzip black-box: $passed passed, $failed failed, $skipped skipped"
[ "$failed" = 0 ]
