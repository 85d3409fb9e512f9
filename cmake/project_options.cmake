# Compile options for the project's own targets. Third-party code (GoogleTest)
# is built with the toolchain defaults only.
#
# Warnings are errors in the project's own scripts and CI (they pass
# -DSETUPKIT_WERROR=ON); someone building from source with another compiler
# version gets them as warnings, not as a failed build.
option(SETUPKIT_WERROR "Treat warnings in the project's own code as errors" OFF)

# setupkit_warnings(TARGET): the warning flags alone, for the small Windows
# programs that keep their own optimisation settings.
function(setupkit_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(SETUPKIT_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

function(setupkit_options target)
  setupkit_warnings(${target})
  target_compile_options(${target} PRIVATE -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
  # GCC 12 reports overlapping copies inside std::string's own code when a
  # literal is prepended to a temporary string (GCC bug 105329, fixed in 13):
  # not a fault of ours, and not one this warning finds in our code.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(SETUPKIT_WINDOWS)
    # The runtime is small: optimised for size, no exceptions, no RTTI, no
    # unwind tables, every function in a section of its own so that the
    # linker can drop what nobody calls. Not data sections: with them this
    # GCC puts zero-filled globals into .data, where they take room in the
    # file. Function-local statics get no lock, whose library code would
    # bring the exception machinery back: they are all first reached on the
    # main thread (the extraction's second thread runs only the staging and
    # the decoder, which keep none). No compiler
    # identification string: one per object file, 20 bytes each, in .rdata.
    target_compile_options(${target} PRIVATE -Oz -fno-exceptions -fno-rtti
      -fno-threadsafe-statics -fno-asynchronous-unwind-tables -fno-unwind-tables
      -ffunction-sections -fno-ident)
    # The standard library's inline members (std::string's above all) are
    # compiled into every object that uses them. Linked, one copy of each is
    # kept, but only of the copies the objects share: a constructor that GCC
    # folds into one local body ("decloned"), and the local variants its
    # interprocedural passes make of a function for the constants or the
    # parts of an argument one caller passes, stay once per object. Without
    # those three, the 32-bit runtime is about 6 KB smaller.
    target_compile_options(${target} PRIVATE -fno-declone-ctor-dtor -fno-ipa-cp -fno-ipa-sra)
    # The library's error texts, one copy per object otherwise: see the header.
    target_compile_options(${target} PRIVATE
      "$<$<COMPILE_LANGUAGE:CXX>:SHELL:-include ${PROJECT_SOURCE_DIR}/src/base/library_error_texts.h>")
    # The 32-bit code keeps 4-byte stack alignment, as Windows does; x86_64's
    # calling convention needs 16.
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      target_compile_options(${target} PRIVATE -mpreferred-stack-boundary=2)
    endif()
    get_target_property(type ${target} TYPE)
    if(CMAKE_CURRENT_SOURCE_DIR MATCHES "^${PROJECT_SOURCE_DIR}/src(/|$)")
      setupkit_shipped_code(${target})
    elseif(type STREQUAL "EXECUTABLE")
      # The Windows builds of the tests and tools link the ordinary code of
      # the shipped programs' objects. Without this the linker's plugin would
      # take those objects' optimiser form instead, and the 32-bit linker then
      # finds the standard library's inline functions defined twice.
      target_link_options(${target} PRIVATE -fno-use-linker-plugin)
    endif()
  endif()
endfunction()

# setupkit_shipped_code(TARGET): the code of the Windows programs that ship.
# The 32-bit code also pushes call arguments instead of storing them into space kept
# below the frame, and addresses the frame through esp, leaving ebp
# free: about 14% less code. MinGW stores arguments only because stack
# probes ask for it, and a frame needs a probe only when it is a page
# (4 KB) or larger, since Windows grows the stack one guard page at a
# time. So: no probes, and a frame that large, or one sized at run time
# (alloca, variable-length arrays), is an error, with or without
# SETUPKIT_WERROR. This is for the code of the programs that ship
# (src/); the Windows builds of the tests and of mksetup's library keep
# their large buffers and their probes.
# The 64-bit code of the programs that ship: Win64 calls every function
# with a 16-byte aligned stack, which this GCC does not assume, so it
# realigned the stack (a frame pointer and an "and") in each function
# with a 16-byte local. It also reaches data defined elsewhere directly
# (-mcmodel=small), not through a pointer kept for data a DLL might
# supply: the programs refuse such imports anyway. And a switch stays
# code rather than becoming a table of values (per switch a table in
# .rdata and the code to index it). The code sections of both start
# unpadded (see the launcher).
function(setupkit_shipped_code target)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(code_generation -mincoming-stack-boundary=4 -mcmodel=small -fno-tree-switch-conversion)
  else()
    set(code_generation -mpreferred-stack-boundary=2
      -mno-stack-arg-probe -mno-accumulate-outgoing-args -fomit-frame-pointer
      -Werror=frame-larger-than=4095 -Werror=alloca -Werror=vla)
  endif()
  target_compile_options(${target} PRIVATE ${code_generation})
  foreach(language C CXX)
    set_property(TARGET ${target} PROPERTY ${language}_COMPILER_LAUNCHER
      ${PROJECT_SOURCE_DIR}/cmake/unpadded_code_sections.sh ${CMAKE_${language}_COMPILER_LAUNCHER})
  endforeach()
  # Optimised again as one whole when a program is linked: about 11% smaller
  # than its objects optimised one by one. The objects carry their
  # ordinary code too ("fat"), which the Windows builds of the tests link
  # as usual. The link repeats the code generation flags, since the code is
  # made there; the frame limit above is checked there too, after inlining.
  target_compile_options(${target} PRIVATE -flto -ffat-lto-objects)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    target_link_options(${target} PRIVATE -flto -flto-partition=one -Oz ${code_generation})
    set_property(TARGET ${target} PROPERTY CXX_LINKER_LAUNCHER
      ${PROJECT_SOURCE_DIR}/cmake/imports_before_optimised_code.sh)
    # The 64-bit programs keep their constants in the code section (see the
    # script): 512 bytes less padding in the file, more often than not.
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      set(layout ${PROJECT_SOURCE_DIR}/cmake/constants_in_code_section.ld)
      target_link_options(${target} PRIVATE -Wl,-T,${layout})
      set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${layout})
    endif()
  endif()
endfunction()

# Test programs built by the Windows toolchains: GoogleTest reports through
# exceptions, while the code under test stays without. x86_64's exceptions
# unwind through tables; without them GCC falls back to setjmp/longjmp
# unwinding, which the static runtime does not carry.
function(setupkit_windows_test_exceptions target)
  target_compile_options(${target} PRIVATE -fexceptions -funwind-tables -fasynchronous-unwind-tables)
endfunction()
