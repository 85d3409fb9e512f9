# Compile options for the project's own targets. Third-party code (GoogleTest)
# is built with the toolchain defaults only.
function(setupkit_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
    -Wshadow -Wconversion -Wno-sign-conversion)
  if(SETUPKIT_WINDOWS)
    # The runtime is small: no exceptions, no RTTI, every function in a section
    # of its own so that the linker can drop what nobody calls.
    target_compile_options(${target} PRIVATE -Os -fno-exceptions -fno-rtti
      -ffunction-sections -fdata-sections)
  endif()
endfunction()
