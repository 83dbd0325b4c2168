# What the manual-page tests of the companion programs share; sourced by
# them with the program, the page and the version as $1 to $3:
#   - $program (absolute), $page, $version, a scratch folder $work, and
#     failure(), which marks the test failed ($fail);
#   - the page formats without a single groff warning, and its .TH line
#     names the version (the page's name given as TH_NAME);
#   - $text: the page as text, one paragraph per line;
#   - quoted WHAT < LINES: every line stands in the page as it is;
#   - every option that --help lists is described, and --version is quoted.
program="$(realpath "$1")"  # the cases run in a folder of their own
page="$2"
version="$3"
fail=0
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failure() {
  echo "FAIL: $*" >&2
  fail=1
}

for device in -z -Tutf8; do
  groff -man -ww "$device" "$page" >/dev/null 2>"$work/warnings"
  if [ -s "$work/warnings" ]; then
    failure "groff -man -ww $device warns:"
    cat "$work/warnings" >&2
  fi
done

grep -qE "^\.TH $TH_NAME 1 [0-9-]+ \"wellen743 $version\"" "$page" ||
  failure "the .TH line does not name version $version"

# The page as text, one paragraph per line, without hyphenation or overstriking.
text="$work/page.txt"
groff -man -Tutf8 -rLL=3000n -rHY=0 -P-c -P-b -P-u "$page" 2>/dev/null >"$text"

# Every line read from standard input must stand in the page as it is.
quoted() {  # quoted WHAT < LINES
  local line count=0
  while IFS= read -r line; do
    count=$((count + 1))
    grep -qF -- "$line" "$text" || failure "$1: the page does not quote \"$line\""
  done
  [ "$count" -gt 0 ] || failure "$1: the program printed nothing to compare with"
}

# Options: every one that --help lists, long and short.
"$program" --help >"$work/help.txt"
grep -oE -- '(^|[ ,])(-[a-z]|--[a-z][a-z-]*)' "$work/help.txt" | tr -d ' ,' | sort -u >"$work/options"
[ "$(grep -c -- '^--' "$work/options")" -ge 9 ] || failure "--help lists too few options"
while IFS= read -r option; do
  grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" "$text" || failure "option $option is not described"
done <"$work/options"
quoted "--version" < <("$program" --version)
