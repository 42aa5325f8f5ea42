#!/bin/sh
# The Debian package as an administrator gets it: built by CPack, unpacked into a scratch root
# (dpkg -x) and run from there, with its desktop entry and metadata validated.
#   package-test.sh BUILD-DIR SCRATCH-DIR
set -eu
build=$1 scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch/out" "$scratch/user"
fail() { echo "FAILED: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" > "$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; fail "cpack"; }
deb=$(ls "$scratch"/out/axo-pap_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libc6 libqt6widgets6 libqt6svg6 libsqlite3-0 fonts-liberation; do
  case "$depends" in *"$lib"*) ;; *) fail "the package does not depend on $lib" ;; esac
done

root=$scratch/root
dpkg -x "$deb" "$root"
cli=$root/usr/bin/axo-pap-cli
for f in usr/bin/axo-pap usr/libexec/axo-pap/Axo_Tisk usr/libexec/axo-pap/Axo_PrMa; do
  [ -x "$root/$f" ] || fail "$f is not in the package"
done
for f in usr/share/man/man1/axo-pap.1 usr/share/man/man1/axo-pap-cli.1 \
         usr/share/bash-completion/completions/axo-pap-cli usr/share/doc/axo-pap/README.md \
         usr/share/icons/hicolor/scalable/apps/axo-pap.svg; do
  [ -f "$root/$f" ] || fail "$f is not in the package"
done

# The installed programs with nothing of the build around them: no home but the scratch one.
export HOME="$scratch/user" AXO_PASSWORD=ucetni
unset XDG_CONFIG_HOME AXO_HOME
"$cli" --version | grep -q '^AXO_PAP ' || fail "axo-pap-cli --version"
if "$cli" --year 2024 info > "$scratch/none.out" 2> "$scratch/none.err"; then
  fail "info ran without an installation"
fi
grep -q 'axo-pap-cli init ADRESÁŘ' "$scratch/none.err" || fail "no hint how to make an installation"
"$cli" init "$scratch/home" --year 2024 > /dev/null || fail "init"
"$cli" --home "$scratch/home" --year 2024 info > /dev/null || fail "info in the new installation"
# An organisation with booked lines, named in the user's configuration file; one statement there.
"$cli" demo-install "$scratch/demo" --year 2024 --lines 200 > /dev/null || fail "demo-install"
mkdir -p "$HOME/.config/axo-pap"
echo "$scratch/demo" > "$HOME/.config/axo-pap/home"
"$cli" --year 2024 statement 1 --from 1 --to 12 --csv "$scratch/vykaz1.csv" \
  > "$scratch/statement.txt" || fail "statement 1 in the installed program"
[ -s "$scratch/vykaz1.csv" ] || fail "statement 1 wrote no rows"

desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop entry"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "AppStream"

# The completion offers what the program's help table names.
complete_words() {
  bash -c '. "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _axo_pap_cli
           echo "${COMPREPLY[*]}"' sh "$root/usr/share/bash-completion/completions/axo-pap-cli" "$@"
}
[ "$(complete_words axo-pap-cli ini)" = init ] || fail "completion of a command"
[ "$(complete_words axo-pap-cli --home /tmp xml 10 --pers)" = --person ] ||
  fail "completion of an option of the export dialog"
[ "$(complete_words axo-pap-cli template '')" = "check normalize" ] ||
  fail "completion of a sub-command"
echo "package $(basename "$deb"): installed and run"
