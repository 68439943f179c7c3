# SPDX-FileCopyrightText: 2026 Vemo Tarn developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Bash completion of vemotarn-cli: its commands, each command's options and
# their values, and file names where a command reads or writes a file.
_vemotarn_cli() {
    local cur prev command options
    COMPREPLY=()
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}
    if [ "$COMP_CWORD" -eq 1 ]; then
        COMPREPLY=($(compgen -W "analyse count examples generate help hint print rate save sheet show solve stats top1465 --help" -- "$cur"))
        return
    fi
    command=${COMP_WORDS[1]}
    case "$prev" in
        --difficulty) COMPREPLY=($(compgen -W "facile moyen difficile extreme aleatoire diabolique demoniaque" -- "$cur")); return ;;
        --symmetry) COMPREPLY=($(compgen -W "none central axial reflective" -- "$cur")); return ;;
        --variant) COMPREPLY=($(compgen -W "classic nonconsecutive consecutive oddeven" -- "$cur")); return ;;
        --what) COMPREPLY=($(compgen -W "puzzle position solution" -- "$cur")); return ;;
        --techniques) COMPREPLY=($(compgen -W "all patterns wings fish uniqueness chains sets forcing" -- "$cur")); return ;;
        --count | --seed | --jobs | --dpi) return ;;
        --out)
            case "$command" in
                print | sheet) COMPREPLY=($(compgen -f -X '!*.pdf' -- "$cur") $(compgen -d -- "$cur")) ;;
                *) COMPREPLY=($(compgen -d -- "$cur")) ;;
            esac
            return
            ;;
    esac
    case "$command" in
        generate) options="--difficulty --symmetry --variant --x --count --seed --jobs --json" ;;
        sheet) options="--difficulty --symmetry --variant --x --seed --dpi --out" ;;
        count) options="--jobs" ;;
        rate) options="--scale --jobs" ;;
        analyse) options="--jobs --advanced --techniques" ;;
        hint) options="--advanced --techniques" ;;
        solve) options="--logic --techniques" ;;
        print) options="--what --dpi --out" ;;
        stats | examples) options="--count --seed --jobs --out" ;;
        top1465) options="--jobs --out" ;;
        *) options="" ;;
    esac
    if [[ "$cur" == -* && -n "$options" ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    case "$command" in
        count | solve | analyse | rate | hint | show | save | print | top1465)
            COMPREPLY=($(compgen -f -- "$cur"))
            ;;
    esac
}
complete -o filenames -F _vemotarn_cli vemotarn-cli
