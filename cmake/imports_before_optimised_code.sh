#!/bin/bash
# imports_before_optimised_code.sh LINKER ARGS... -o PROGRAM ...
#
# A link launcher for the MinGW programs that ship, which are linked with
# link-time optimisation and without the C runtime's start files. In that
# combination GNU ld 2.40 crashes (a segmentation fault) while it builds the
# base relocation table, whenever a DLL function is first called from the
# optimised code: the import it resolves then, after the optimisation, is
# taken for data that needs the start files' pseudo-relocator. An import that
# is already resolved when the optimised code comes in is handled as usual.
#
# Which DLL functions the program calls is known only after the
# optimisation. So the program is linked twice: first without the relocation
# table (which does not crash) and unstripped, to read the import slots
# (__imp_ symbols) it ended up with; then for real, with each of those slots
# named up front (-u), so that every import is resolved before the optimised
# code comes in. Naming the slot, not the function, leaves the functions'
# jump stubs out: the code calls through the slots.
set -euo pipefail
program=""
previous=""
for argument in "$@"; do
  [ "$previous" = "-o" ] && program="$argument"
  previous="$argument"
done
[ -n "$program" ] || exec "$@"
first="$program.imports"
trial=()
for argument in "$@"; do
  case "$argument" in
    "$program") trial+=("$first") ;;
    -s | -Wl,--out-implib,*) ;;
    *) trial+=("$argument") ;;
  esac
done
"${trial[@]}" -Wl,--disable-reloc-section
nm=nm
for word in "$@"; do
  case "$word" in *-g++* | *-gcc*) nm="${word%-g*}-nm" && break ;; esac
done
slots=()
while read -r _ kind name; do
  [ "$kind" = I ] && [ "${name#__imp_}" != "$name" ] && slots+=("-Wl,-u,$name")
done < <("$nm" "$first")
rm -f "$first"
exec "$@" "${slots[@]}"
