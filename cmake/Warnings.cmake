# Strict warnings for the project's own targets. No -ffast-math anywhere: the
# calendar and astronomy code depends on exact IEEE arithmetic.
function(vx_strict_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
  if(VX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
