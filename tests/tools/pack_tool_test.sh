#!/usr/bin/env bash
# The pack tool as authors use it: build, list, cat, extract, and the names it refuses.
set -uo pipefail
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_status() {  # expect_status CODE DESCRIPTION -- command...
  local want=$1 what=$2; shift 3
  "$@" >"$work/out" 2>"$work/err"; local got=$?
  [[ $got == "$want" ]] || fail "$what: exit $got, wanted $want ($(cat "$work/err"))"
}

src=$work/src
mkdir -p "$src/work/pics" "$src/Страницы"
printf 'top of every page' > "$src/work/header.html"
head -c 70000 /dev/urandom > "$src/work/pics/photo.jpg"
printf 'страница' > "$src/Страницы/Первая.html"
: > "$src/empty.txt"

expect_status 0 "build" -- "$tool" build "$src" "$work/interface.dat" --scramble 'work/*.html'
expect_status 0 "list" -- "$tool" list "$work/interface.dat"
grep -qP '^work\\header.html\t17\t\d+\t1$' "$work/out" || fail "list shows the scrambled header: $(cat "$work/out")"
grep -qP '^work\\pics\\photo.jpg\t70000\t\d+\t0$' "$work/out" || fail "list shows the picture"
grep -q '^страницы\\первая.html' "$work/out" || fail "names are lower-cased: $(cat "$work/out")"
[[ $(wc -l < "$work/out") == 4 ]] || fail "four entries listed"
LC_ALL=C grep -q 'top of every page' "$work/interface.dat" && fail "scrambled data is not stored plain"

expect_status 0 "cat" -- "$tool" cat "$work/interface.dat" 'WORK\Header.HTML'
[[ $(cat "$work/out") == 'top of every page' ]] || fail "cat unscrambles"
expect_status 0 "cat binary" -- "$tool" cat "$work/interface.dat" 'work\pics\photo.jpg'
cmp -s "$work/out" "$src/work/pics/photo.jpg" || fail "cat gives the bytes exactly"
expect_status 1 "cat missing" -- "$tool" cat "$work/interface.dat" 'work\none.html'
grep -q 'Не найден файл' "$work/err" && grep -qF 'work\none.html' "$work/err" || fail "cat missing says so: $(cat "$work/err")"

expect_status 0 "extract" -- "$tool" extract "$work/interface.dat" "$work/out_dir"
mv "$src/Страницы/Первая.html" "$src/Страницы/первая.html" && mv "$src/Страницы" "$src/страницы"
diff -r "$src" "$work/out_dir" >/dev/null || fail "extract gives the same files byte for byte: $(diff -r "$src" "$work/out_dir")"

refuse() {  # refuse DESCRIPTION MESSAGE-PART -- setup
  local what=$1 part=$2
  expect_status 1 "$what" -- "$tool" build "$work/bad" "$work/bad.dat"
  grep -qF -- "$part" "$work/err" || fail "$what: message '$(cat "$work/err")' lacks '$part'"
  [[ -e "$work/bad.dat" ]] && fail "$what: no pack is left behind"
  rm -rf "$work/bad"
}
mkdir -p "$work/bad" && touch "$work/bad/A.txt" "$work/bad/a.txt"
refuse "case collision" "дают в архиве одно имя"
mkdir -p "$work/bad/$(printf 'd%.0s' {1..200})" && touch "$work/bad/$(printf 'd%.0s' {1..200})/$(printf 'f%.0s' {1..60})"
refuse "name over 255 bytes" "длиннее 255 байт"
mkdir -p "$work/bad" && touch "$work/bad/日本.txt"
refuse "name outside windows-1251" "windows-1251"
expect_status 1 "missing folder" -- "$tool" build "$work/none" "$work/bad.dat"
expect_status 2 "usage" -- "$tool" frobnicate

printf 'XMA garbage' > "$work/broken.dat"
expect_status 1 "list of a broken pack" -- "$tool" list "$work/broken.dat"
grep -q 'Неверная сигнатура архива' "$work/err" || fail "broken pack: $(cat "$work/err")"

[[ $failures == 0 ]] && echo "pack tool: all checks passed"
exit $((failures > 0))
