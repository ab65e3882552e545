# Two builds of one commit give the same bytes, whatever folder, time, time
# zone or user they run with; packaging/ pins the rest (file times, owners,
# permissions and order inside the zip and the package).
if(NOT MSVC)
  # No build machine's folder in the programs (__FILE__, debug information):
  # paths are written relative to the source tree. The build tree, given
  # later, wins for files under it.
  add_compile_options(
    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>"
    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}/=build/>")
endif()
if(MINGW)
  # The linker would write the time of the link into the PE header.
  add_link_options(-Wl,--no-insert-timestamp)
endif()
