# The project's version as a header (VexarilVersion.h) on the include path of
# the INTERFACE target vxversion, which the targets that show it link.
configure_file(${CMAKE_CURRENT_LIST_DIR}/VexarilVersion.h.in
               ${CMAKE_BINARY_DIR}/generated/VexarilVersion.h @ONLY)
add_library(vxversion INTERFACE)
target_include_directories(vxversion INTERFACE ${CMAKE_BINARY_DIR}/generated)

# Files that carry the version as text written by hand (a release's date and
# notes go with it): configuring fails until they name the project's version.
# vx_check_version(FILE REGEX): the first match's group 1 must be the version.
function(vx_check_version file regex)
  file(READ ${file} text)
  if(NOT text MATCHES "${regex}")
    message(FATAL_ERROR "${file}: no version found")
  endif()
  if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "${file} says version ${CMAKE_MATCH_1}, the project is ${PROJECT_VERSION}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
endfunction()
