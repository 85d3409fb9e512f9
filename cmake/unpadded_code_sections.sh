#!/bin/sh
# unpadded_code_sections.sh COMPILER ARGS... -o OBJECT ...
#
# A compiler launcher for the MinGW objects of the programs that ship. GNU as
# gives every code section of a PE object 16-byte (x86_64) or 4-byte (i686)
# alignment unless told otherwise, and pads its end to that; with one section
# per function that is about 4 KB of the 64-bit setup runtime and 0.5 KB of
# the 32-bit one. This compiles to assembly, starts each code section
# at 1-byte alignment (the "0" section flag; an ".align" the compiler asks
# for, as for member functions, still raises it), and assembles that. COMPILER
# may be a launcher itself (ccache) followed by the compiler.
set -e
object=""
previous=""
for argument in "$@"; do
  [ "$previous" = "-o" ] && object="$argument"
  previous="$argument"
done
case "$object" in
  *.obj | *.o) ;;
  *) exec "$@" ;;
esac
assembly="$object.s"
# The same command with the assembly as its output; -S after -c wins.
first=1
for argument in "$@"; do
  if [ "$first" = 1 ]; then
    set --
    first=0
  fi
  if [ "$argument" = "$object" ]; then set -- "$@" "$assembly"; else set -- "$@" "$argument"; fi
done
"$@" -S
assembler=$(for program in "$@"; do
  case "$program" in *g++* | *gcc*) "$program" -print-prog-name=as; break ;; esac
done)
sed -i 's/^\(	\.section	\.text[^,]*,"x\)"$/\10"/' "$assembly"
"${assembler:-as}" -o "$object" "$assembly"
rm -f "$assembly"
