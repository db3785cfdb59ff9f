# Hardening, as Debian builds its packages: a stack protector, read-only
# relocations bound at start-up, and the C library's checked functions where
# the optimiser can see the sizes (_FORTIFY_SOURCE needs optimisation). Not
# with the sanitizers, whose own checks the fortified calls would bypass.
if(NOT VX_SANITIZE AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-fstack-protector-strong
    "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
  add_link_options(LINKER:-z,relro,-z,now)
endif()
