# Strict warnings for the project's own targets. No -ffast-math anywhere: the
# calendar and astronomy code depends on exact IEEE arithmetic.
function(vx_strict_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
  # GCC 12 at -O3 reports std::string concatenation as overlapping memcpy
  # (a false positive fixed in GCC 13); it drowns the Release build's output.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(VX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
