# cmake -DFILE=PATH -DLIMIT=BYTES -P check_file_size.cmake
#
# Says the size of a built program and fails when it is over LIMIT (when
# LIMIT is given). The program is deleted on failure, so that the next build
# links it again and fails again instead of taking it as up to date.
file(SIZE "${FILE}" size)
get_filename_component(name "${FILE}" NAME)
if(DEFINED LIMIT AND size GREATER LIMIT)
  file(REMOVE "${FILE}")
  math(EXPR over "${size} - ${LIMIT}")
  message(FATAL_ERROR "${name}: ${size} bytes, ${over} over its limit of ${LIMIT}; deleted")
endif()
if(DEFINED LIMIT)
  message("${name}: ${size} bytes (limit ${LIMIT})")
else()
  message("${name}: ${size} bytes")
endif()
