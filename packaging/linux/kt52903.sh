#!/bin/sh
# Starts the configurator (or, as kt52903-cli, the command line tool) of this package.
# The configurator keeps its Workspace beside its executable, so it runs from a copy of it in
# the user's own Workspace, $XDG_DATA_HOME/kt52903 (default ~/.local/share/kt52903), made at
# the first start with the shipped languages: nothing is ever written below /opt or /usr.
set -e
app=$(readlink -f "$(dirname "$(readlink -f "$0")")/../../opt/kt52903")
case "$(basename "$0")" in
  *-cli) exec "$app/kt52903-cli" "$@" ;;
esac

ws=${XDG_DATA_HOME:-$HOME/.local/share}/kt52903
mkdir -p "$ws/MASTER" "$ws/PROJECTS" "$ws/LANGUAGE"
# Shipped languages the user has not got yet; the user's own edits are kept.
for f in "$app"/LANGUAGE/*; do
  if [ -f "$f" ] && [ ! -e "$ws/LANGUAGE/${f##*/}" ]; then cp "$f" "$ws/LANGUAGE/"; fi
done
# The program itself follows the installed version.
if ! cmp -s "$app/kt52903" "$ws/kt52903"; then
  cp "$app/kt52903" "$ws/kt52903.new"
  mv -f "$ws/kt52903.new" "$ws/kt52903"
fi
for f in CAN_52903_Update MASTER/sim52903.sim translations; do
  if [ -e "$app/$f" ] && [ ! -e "$ws/$f" ]; then ln -s "$app/$f" "$ws/$f"; fi
done
exec "$ws/kt52903" "$@"
