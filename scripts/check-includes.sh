#!/usr/bin/env bash
# Checks the include rules of src/ (docs/ARCHITECTURE.md): the folders form no loop;
# base/ stands on nothing, lang/ only on base/, project/ only on base/ and lang/, dbc/ only on
# those and project/, and none of these four holds a window unit; GUI-free files stay free
# of Qt and window units are named U... only when they hold Qt; no two units of one folder
# include each other. Prints each breach; exits 1 if there is one.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}/src"

fail=0
breach() { echo "include rule: $*"; fail=1; }

is_window_name() { [[ $(basename "$1") =~ ^U[A-Z] ]]; }
# Includes of our own files ("folder/File.h") and of Qt (<Q...>) in one file.
own_includes() { sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$1"; }
qt_includes() { grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$1" || true; }

edges=$(mktemp)
units=$(mktemp)
trap 'rm -f "$edges" "$units"' EXIT

while IFS= read -r file; do
    folder=${file%%/*}
    gui_free=1
    # main() of the desktop program and window units may use Qt.
    if [ "$folder" = app ] || is_window_name "$file"; then gui_free=0; fi
    holds_qt=0
    [ -n "$(qt_includes "$file")" ] && holds_qt=1

    while IFS= read -r inc; do
        [ -z "$inc" ] && continue
        target=${inc%%/*}
        if [ "$target" = "$inc" ]; then
            breach "$file includes \"$inc\" without its folder"
            continue
        fi
        [ -d "$target" ] || continue
        [ "$target" != "$folder" ] && echo "$folder $target" >>"$edges"
        # A unit is a .h with its .cpp; two units of one folder must not need each other.
        if [ "$target" = "$folder" ] && [ "${inc%.*}" != "${file%.*}" ]; then
            echo "${file%.*} ${inc%.*}" >>"$units"
        fi
        is_window_name "$inc" && holds_qt=1
        case $folder in
            base) [ "$target" = base ] || breach "$file (base/) includes $inc: base/ includes only base/" ;;
            lang) [ "$target" = base ] || [ "$target" = lang ] ||
                breach "$file (lang/) includes $inc: lang/ includes only base/ and lang/" ;;
            project) case $target in base | lang | project) ;; *)
                breach "$file (project/) includes $inc: project/ stands on base/ and lang/ only" ;;
                esac ;;
            dbc) case $target in base | lang | project | dbc) ;; *)
                breach "$file (dbc/) includes $inc: dbc/ stands on base/, lang/ and project/ only" ;;
                esac ;;
        esac
        if [ $gui_free = 1 ] && is_window_name "$inc"; then
            breach "$file is GUI-free but includes the window unit $inc"
        fi
    done < <(own_includes "$file")

    if [ $gui_free = 1 ] && [ $holds_qt = 1 ]; then
        breach "$file is GUI-free (no U prefix) but includes Qt: $(qt_includes "$file" | head -1)"
    fi
    case $folder in base | lang | project | dbc)
        is_window_name "$file" && breach "$file: $folder/ is GUI-free and holds no window unit" ;;
    esac
    if is_window_name "$file" && [ $holds_qt = 0 ]; then
        breach "$file is named U... but holds no Qt: a GUI-free file must not be named U..."
    fi
done < <(find . -type f \( -name '*.h' -o -name '*.cpp' \) | sed 's#^\./##' | sort)

# tsort reports every loop among the folders.
if ! loops=$(sort -u "$edges" | tsort 2>&1 >/dev/null) || [ -n "$loops" ]; then
    breach "the folders of src/ include each other in a loop:"
    echo "$loops" | sed 's/^/    /'
fi

if ! loops=$(sort -u "$units" | tsort 2>&1 >/dev/null) || [ -n "$loops" ]; then
    breach "units of one folder include each other in a loop (a .h and its .cpp count as one):"
    echo "$loops" | sed 's/^/    /'
fi

if [ $fail = 0 ]; then
    echo "include rules hold; folder graph:"
    sort -u "$edges" | awk '{a[$1] = a[$1] " " $2} END {for (f in a) print "  " f " ->" a[f]}' | sort
fi
exit $fail
