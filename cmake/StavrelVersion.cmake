# The version is written once, in project(). It reaches the programs through
# one generated header (version.h: --version, the About box) and, on
# Windows, a version resource in each .exe made from one template.
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${CMAKE_BINARY_DIR}/version/version.h @ONLY)
add_library(stavrel_version INTERFACE)
target_include_directories(stavrel_version INTERFACE ${CMAKE_BINARY_DIR}/version)

if(WIN32)
  enable_language(RC)
endif()

# stavrel_version_resource(<target> <description>): gives <target>.exe its
# VERSIONINFO; nothing off Windows.
function(stavrel_version_resource target description)
  if(NOT WIN32)
    return()
  endif()
  set(STAVREL_RC_NAME ${target})
  set(STAVREL_RC_DESCRIPTION ${description})
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version_info.rc.in ${script} @ONLY)
  target_sources(${target} PRIVATE ${script})
  # windres reads version.h, which CMake does not scan for it.
  set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/version/version.h)
  target_link_libraries(${target} PRIVATE stavrel_version)
endfunction()
