# setupkit_library(NAME DIR DEPS...): a static library of every .cpp in DIR.
function(setupkit_library name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARGN})
  setupkit_options(${name})
endfunction()
