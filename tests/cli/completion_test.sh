#!/usr/bin/env bash
# The bash completion of vantrel, called as bash calls it: COMP_WORDS and COMP_CWORD
# prepared for a command line, then _vantrel, then COMPREPLY compared with the words
# expected (sorted). Pilot names come from the vantrel under test, with a settings file
# and an X-Wing Alliance folder made here.
#
# usage: completion_test.sh VANTREL COMPLETION-SCRIPT
set -uo pipefail

vantrel=$1
# shellcheck source=/dev/null
source "$2"

scratch=$(mktemp -d -t vantrel-completion.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
unset VANTREL_REGISTRY

passed=0
failed=0

# expect "EXPECTED WORDS" WORD...: completes the last WORD of the command line WORD...
expect() {
  local expected=$1
  shift
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMP_LINE="$*"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _vantrel
  local actual
  actual=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd' ')
  if [[ $actual == "$expected" ]]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAILED: %s\n  expected: [%s]\n  actual:   [%s]\n' "$*" "$expected" "$actual"
  fi
}

# The world: settings, an X-Wing Alliance folder with three pilots, packages and others.
mkdir -p xwa games/TIE95 games/XvT packages/sub
"$vantrel" --registry "$scratch/r.reg" folders set xwa "$scratch/xwa" >/dev/null
for pilot in Wedge Biggs 'Red Five'; do
  "$vantrel" --registry "$scratch/r.reg" pilots create "$pilot" >/dev/null || exit 1
done
touch packages/first.kzm packages/SECOND.KZM packages/notes.txt packages/battle.zip

# Commands and global options.
expect 'battles folders help inspect load pack pilots play repair' "$vantrel" ''
expect 'pack pilots play' "$vantrel" --registry r.reg --yes p
expect '--help --json --registry --runner --verbose --version --yes' "$vantrel" --
expect 'battles folders help inspect load pack pilots play repair' "$vantrel" help ''

# Games and their options.
expect 'bop tie xvt xwa' "$vantrel" play ''
expect '--rebel-fighters --transports' "$vantrel" play TIE --
expect '--transports' "$vantrel" --runner wine play 2 --
expect '--briefing-audio' "$vantrel" play xwa --
expect '--json bop tie xvt xwa' "$vantrel" repair ''
expect '--json' "$vantrel" repair xvt --
expect '--json' "$vantrel" battles ''

# Folders: names, then folders only.
expect '--json --where detect set' "$vantrel" folders ''
expect '--set --wine-prefix' "$vantrel" folders detect --
expect 'bop last-dir launcher tie xvt xwa' "$vantrel" folders set ''
expect 'games/TIE95 games/XvT' "$vantrel" folders set tie games/
expect '' "$vantrel" folders set tie games/TIE95 ''

# Pilots, from vantrel itself with the settings named on the command line or in the
# environment; a blank in a name is escaped.
expect '--json create delete list select' "$vantrel" pilots ''
expect 'Biggs Red\ Five Wedge' "$vantrel" --registry "$scratch/r.reg" pilots select ''
expect 'Wedge' "$vantrel" --registry="$scratch/r.reg" pilots delete w
expect 'Red\ Five' "$vantrel" --registry "$scratch/r.reg" --json pilots select R
expect '--kz' "$vantrel" pilots create Luke --
VANTREL_REGISTRY=$scratch/r.reg expect 'Biggs' "$vantrel" pilots select b
expect '' "$vantrel" --registry "$scratch/missing.reg" pilots select ''

# Packages for load: .kzm in any case, and folders to go on into.
expect 'packages/SECOND.KZM packages/first.kzm packages/sub' "$vantrel" load packages/
expect '' "$vantrel" load packages/first.kzm ''
expect 'packages/SECOND.KZM packages/first.kzm packages/sub' "$vantrel" inspect packages/

echo "completion: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
