# Bash completion for vantrel: commands, game and folder names, options, X-Wing Alliance
# pilot names (asked of vantrel itself, with the same settings file as the command line
# being completed), .kzm packages for `load` and folders for `folders set`.
#
# A new command adds its name to _vantrel_commands and a case in _vantrel below.

_vantrel_commands='folders load battles play repair pilots pack inspect help'
_vantrel_global_options='--registry --runner --yes -y --verbose -v --json --help -h --version -V'

# COMPREPLY from the words of $1 that begin with the word being completed.
_vantrel_words() {
  mapfile -t COMPREPLY < <(compgen -W "$1" -- "$cur")
}

# The pilots `vantrel pilots` lists ("* Name" or "  Name" a line) that begin with the
# word being completed, letter case ignored as the pilot commands ignore it; quoted for
# the command line, as a name may hold blanks.
_vantrel_pilots() {
  local line name
  COMPREPLY=()
  while IFS= read -r line; do
    name=${line:2}
    [[ -n $name && ${name,,} == "${cur,,}"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
  done < <("$program" "${settings[@]}" pilots list 2>/dev/null)
}

_vantrel() {
  local cur=${COMP_WORDS[COMP_CWORD]}
  local prev=${COMP_WORDS[COMP_CWORD - 1]}
  local program=${COMP_WORDS[0]}
  [[ $program == "~/"* ]] && program=$HOME/${program:2}
  COMPREPLY=()

  # The global options before the command; --registry is passed on to the vantrel run
  # that lists the pilots, so that it reads the same settings.
  local -a settings=()
  local command='' at=1 word
  while ((at < COMP_CWORD)); do
    word=${COMP_WORDS[at]}
    case $word in
      --registry | --runner)
        if [[ $word == --registry ]]; then
          local file=${COMP_WORDS[at + 1]}
          [[ $file == "~/"* ]] && file=$HOME/${file:2}
          settings=(--registry "$file")
        fi
        ((at += 2))
        continue
        ;;
      --registry=*) settings=("$word") ;;
      -*) ;;
      *)
        command=$word
        break
        ;;
    esac
    ((at++))
  done

  case $prev in
    --registry)
      compopt -o filenames 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      return
      ;;
    --runner)
      mapfile -t COMPREPLY < <(compgen -c -- "$cur")
      return
      ;;
  esac

  if [[ -z $command ]]; then
    if [[ $cur == -* ]]; then
      _vantrel_words "$_vantrel_global_options"
    else
      _vantrel_words "$_vantrel_commands"
    fi
    return
  fi

  # The words between the command and the one being completed; --json may stand
  # anywhere and counts for nothing.
  local -a args=()
  for word in "${COMP_WORDS[@]:at+1:COMP_CWORD-at-1}"; do
    [[ $word == --json ]] || args+=("$word")
  done

  case $command in
    folders)
      if ((${#args[@]} == 0)); then
        _vantrel_words 'set detect --where --json'
      elif [[ ${args[0]} == detect ]]; then
        _vantrel_words '--wine-prefix --set'
      elif [[ ${args[0]} == set && ${#args[@]} == 1 ]]; then
        _vantrel_words 'tie xvt bop xwa launcher last-dir'
      elif [[ ${args[0]} == set && ${#args[@]} == 2 ]]; then
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -d -- "$cur")
      fi
      ;;
    load | inspect)
      if ((${#args[@]} == 0)); then
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -X '!*.[kK][zZ][mM]' -- "$cur"; compgen -d -- "$cur")
      fi
      ;;
    battles)
      ((${#args[@]} == 0)) && _vantrel_words '--json'
      ;;
    play)
      if ((${#args[@]} == 0)); then
        _vantrel_words 'tie xvt bop xwa'
      else
        case ${args[0],,} in
          tie | 0) _vantrel_words '--rebel-fighters --transports' ;;
          xvt | 1 | bop | 2) _vantrel_words '--transports' ;;
          xwa | 3) _vantrel_words '--briefing-audio' ;;
        esac
      fi
      ;;
    repair)
      if ((${#args[@]} == 0)); then
        _vantrel_words 'tie xvt bop xwa --json'
      elif [[ ${args[0]} != --json ]]; then
        _vantrel_words '--json'
      fi
      ;;
    pilots)
      if ((${#args[@]} == 0)); then
        _vantrel_words 'list create delete select --json'
      elif [[ ${#args[@]} == 1 && (${args[0]} == delete || ${args[0]} == select) ]]; then
        _vantrel_pilots
      elif [[ ${#args[@]} == 1 && ${args[0]} == list ]]; then
        _vantrel_words '--json'
      elif [[ ${#args[@]} == 2 && ${args[0]} == create ]]; then
        _vantrel_words '--kz'
      fi
      ;;
    help)
      ((${#args[@]} == 0)) && _vantrel_words "$_vantrel_commands"
      ;;
  esac
}

complete -F _vantrel vantrel
