# Compile options for the project's own targets. Third-party code (GoogleTest)
# is built with the toolchain defaults only.
function(setupkit_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
    -Wshadow -Wconversion -Wno-sign-conversion)
  if(SETUPKIT_WINDOWS)
    # The runtime is small: optimised for size, no exceptions, no RTTI, no
    # unwind tables, every function in a section of its own so that the
    # linker can drop what nobody calls. Not data sections: with them this
    # GCC puts zero-filled globals into .data, where they take room in the
    # file. One thread: function-local statics need no lock, whose library
    # code would bring the exception machinery back.
    target_compile_options(${target} PRIVATE -Oz -fno-exceptions -fno-rtti
      -fno-threadsafe-statics -fno-asynchronous-unwind-tables -fno-unwind-tables
      -ffunction-sections -mpreferred-stack-boundary=2)
  endif()
endfunction()
