# bash completion for pathquill-list
# Written without the bash-completion helpers, so it also works where they are not installed.

_pathquill_list() {
    # Bash splits "--unit=kb" and "size:desc" at = and : when they break words; glue the
    # pieces back so that an option and its value are seen whole.
    local -a args=()
    local i word glue=0
    for ((i = 1; i <= COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if ((${#args[@]})) && { ((glue)) || [[ $word == [=:] ]]; }; then
            args[-1]+=$word
        else
            args+=("$word")
        fi
        [[ $word == [=:] ]] && glue=1 || glue=0
    done
    local cur= prev=
    ((${#args[@]})) && cur=${args[-1]}
    ((${#args[@]} > 1)) && prev=${args[-2]}

    local option= value=$cur inline=
    if [[ $cur == --*=* ]]; then
        option=${cur%%=*} inline=${option}= value=${cur#*=}
    elif [[ $cur != -* ]]; then
        option=$prev
    fi

    local -a values=()
    local name
    case $option in
    -m | --mask | --exclude | --min-size | --max-size | --newer | --older) return ;;
    --format) values=(jsonl) ;;
    -o | --output)
        compopt -o filenames 2>/dev/null
        mapfile -t values < <(compgen -f -- "$value") ;;
    --structure) values=(explorer single) ;;
    -u | --unit) values=(byte kb mb) ;;
    --threads) values=(1 2 3 4) ;;
    --sort)
        for name in name size type modified created access attributes shortname; do
            values+=("$name" "$name:asc" "$name:desc")
        done ;;
    -c | --columns)
        # The last name of the comma-separated list.
        compopt -o nospace 2>/dev/null
        local head=
        [[ $value == *,* ]] && head=${value%,*},
        for name in size type modified created access files subfolders attributes shortname; do
            values+=("$head$name")
        done ;;
    *)
        if [[ $cur == -* ]]; then
            values=(--mask --subfolders --only-folders --structure --columns --unit --sort
                --exclude --min-size --max-size --newer --older --format
                --date-line --threads --output --all-drives --help --version -m -s -c -u -o -h)
        else
            compopt -o filenames 2>/dev/null
            mapfile -t values < <(compgen -d -- "$value")
        fi ;;
    esac

    # What bash replaces is the text after the last = or : that broke the word.
    local breaks=${COMP_WORDBREAKS//[^=:]/} kept=
    [[ -n $breaks && $cur == *["$breaks"]* ]] && kept=${cur%"${cur##*["$breaks"]}"}
    COMPREPLY=()
    local candidate
    for candidate in "${values[@]}"; do
        candidate=$inline$candidate
        [[ $candidate == "$cur"* ]] && COMPREPLY+=("${candidate#"$kept"}")
    done
}
complete -F _pathquill_list pathquill-list
