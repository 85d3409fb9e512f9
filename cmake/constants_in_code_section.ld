/* The layout of the 64-bit Windows programs that ship (GNU ld, pei-x86-64).
 *
 * As the linker's own layout, with one change: the read-only data (texts,
 * tables, virtual tables) goes into the code section instead of a section of
 * its own. Each section is padded to the file alignment (512 bytes), about
 * 256 bytes of padding on average, and the read-only data needs no rights the
 * code section does not give (it is not writable). The global constructors'
 * list follows the constants, so that its relocated addresses share a page,
 * and so a block of the relocation table, with those of the virtual tables.
 *
 * The imports keep their section: the linker finds them by its name. The
 * resources and the base relocations stay separate and last, in that order:
 * mksetup rewrites the resources in place and moves the relocations behind
 * them. Debugging sections are dropped: these programs are stripped.
 */
SECTIONS
{
  . = SIZEOF_HEADERS;
  . = ALIGN(__section_alignment__);
  .text __image_base__ + __section_alignment__ :
  {
    *(.text)
    *(SORT(.text$*))
    *(.text.*)
    *(.rdata)
    *(SORT(.rdata$*))
    . = ALIGN(8);
    ___CTOR_LIST__ = .;
    __CTOR_LIST__ = .;
    LONG (-1); LONG (-1);
    KEEP (*(.ctors));
    KEEP (*(.ctor));
    KEEP (*(SORT_BY_NAME(.ctors.*)));
    LONG (0); LONG (0);
    ___DTOR_LIST__ = .;
    __DTOR_LIST__ = .;
    LONG (-1); LONG (-1);
    KEEP (*(.dtors));
    KEEP (*(.dtor));
    KEEP (*(SORT_BY_NAME(.dtors.*)));
    LONG (0); LONG (0);
  }
  .data BLOCK(__section_alignment__) :
  {
    *(.data)
    *(.data2)
    *(SORT(.data$*))
  }
  .bss BLOCK(__section_alignment__) :
  {
    *(.bss)
    *(COMMON)
  }
  /DISCARD/ :
  {
    *(.debug$S)
    *(.debug$T)
    *(.debug$F)
    *(.drectve)
    *(.note.GNU-stack)
    *(.gnu.lto_*)
    *(.debug_*)
    *(.zdebug_*)
  }
  .idata BLOCK(__section_alignment__) :
  {
    KEEP (SORT(*)(.idata$2))
    KEEP (SORT(*)(.idata$3))
    /* The end of the import directory. */
    LONG (0); LONG (0); LONG (0); LONG (0); LONG (0);
    . = ALIGN(8);
    KEEP (SORT(*)(.idata$4))
    SORT(*)(.idata$5)
    KEEP (SORT(*)(.idata$6))
    KEEP (SORT(*)(.idata$7))
  }
  .rsrc BLOCK(__section_alignment__) : SUBALIGN(4)
  {
    KEEP (*(.rsrc))
    KEEP (*(.rsrc$*))
  }
  .reloc BLOCK(__section_alignment__) :
  {
    *(.reloc)
  }
}
