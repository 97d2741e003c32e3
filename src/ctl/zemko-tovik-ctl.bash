# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for zemko-tovik-ctl

_zemko_tovik_ctl()
{
    local cur prev words cword
    _init_completion || return

    local i command="" sub="" at=0
    for ((i = 1; i < cword; i++)); do
        case "${words[i]}" in
            --profile | --wait) ((i++)) ;;
            -*) ;;
            *)
                if [[ -z $command ]]; then
                    command=${words[i]}
                    at=$i
                elif [[ -z $sub ]]; then
                    sub=${words[i]}
                fi
                ;;
        esac
    done

    # Names of the device's profiles or macros, one a line.
    _zemko_tovik_ctl_names()
    {
        local IFS=$'\n'
        COMPREPLY=($(compgen -W "$(zemko-tovik-ctl --json "$1" list 2>/dev/null |
            sed -n 's/^ *"name": "\(.*\)",$/\1/p')" -- "$cur"))
    }

    case $prev in
        --wait) return ;;
        --profile)
            _zemko_tovik_ctl_names profile
            return
            ;;
    esac

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "list show keys get set profile macro dump diff apply
            --json --profile --wait --help --version" -- "$cur"))
        return
    fi

    case $command in
        get | set)
            if ((cword == at + 1)); then
                COMPREPLY=($(compgen -W "$(zemko-tovik-ctl keys 2>/dev/null | cut -d' ' -f1)" -- "$cur"))
            elif [[ $command == set && $cword -eq $((at + 2)) ]]; then
                case $prev in
                    acceleration | lift-off-auto | calibration | sensitivity-osd | light.* | auto-switch)
                        COMPREPLY=($(compgen -W "on off" -- "$cur")) ;;
                    colour) COMPREPLY=($(compgen -W "spectrum" -- "$cur")) ;;
                    polling-rate) COMPREPLY=($(compgen -W "125 500 1000" -- "$cur")) ;;
                    program) _filedir ;;
                    button.*)
                        COMPREPLY=($(compgen -W "default click menu universal-scroll double-click off back
                            forward scroll sensitivity on-the-fly-sensitivity temporary-sensitivity key
                            macro profile" -- "$cur")) ;;
                esac
            fi
            ;;
        profile)
            if [[ -z $sub ]]; then
                COMPREPLY=($(compgen -W "list create rename copy delete activate restore-defaults export
                    import" -- "$cur"))
            elif [[ $sub == import ]]; then
                _filedir zmp
            elif [[ $sub != list && $sub != create && $cword -eq $((at + 2)) ]]; then
                _zemko_tovik_ctl_names profile
            elif [[ $sub == export && $cword -ge $((at + 3)) ]]; then
                _filedir zmp
            fi
            ;;
        macro)
            if [[ -z $sub ]]; then
                COMPREPLY=($(compgen -W "list show rename delete export import" -- "$cur"))
            elif [[ $sub == import || ($sub == export && $cword -ge $((at + 3))) ]]; then
                _filedir zmm
            elif [[ $sub != list && $cword -eq $((at + 2)) ]]; then
                _zemko_tovik_ctl_names macro
            fi
            ;;
        dump | diff) _filedir json ;;
        apply)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--dry-run" -- "$cur"))
            else
                _filedir json
            fi
            ;;
    esac
} &&
    complete -F _zemko_tovik_ctl zemko-tovik-ctl
