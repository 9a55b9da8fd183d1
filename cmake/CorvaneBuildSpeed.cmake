# What keeps a cold build cheap.
#
# Nearly every source includes a dozen standard headers, which are nine tenths
# of what the compiler reads for it: corvane_finish_targets(), called once
# every target exists, gives each target of several C++ sources a
# precompiled header of them (and of the test framework for the test
# programs). A target of one or two sources would spend more on building the
# header than it saves.
#
# Unity builds (CMAKE_UNITY_BUILD, set by the sanitizer presets and by CI for
# its default build) compile the sources of a target in batches; a file-level
# helper must therefore have a name no other source of its target uses, and a
# file-level using-directive reaches the files after it. A source that includes the X11 headers is
# compiled on its own: their macros and type names (Time, Screen, KeyPress)
# collide with the platform layer's.

set(CORVANE_STANDARD_HEADERS
  <algorithm> <array> <atomic> <cstdint> <cstring> <functional> <map> <memory> <mutex> <string>
  <string_view> <unordered_map> <vector>)
set(CORVANE_PRECOMPILED_HEADER_MIN_SOURCES 3)

# The targets defined in a folder and in the folders under it.
function(corvane_targets_under dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    corvane_targets_under(${sub} sub_targets)
    list(APPEND targets ${sub_targets})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

function(corvane_compile_x11_sources_alone target sources)
  get_target_property(dir ${target} SOURCE_DIR)
  foreach(source IN LISTS sources)
    if(NOT IS_ABSOLUTE ${source})
      set(source ${dir}/${source})
    endif()
    file(STRINGS ${source} x11_includes REGEX "^#include [<\"](X11/|platform/display/x11/)")
    if(x11_includes)
      set_source_files_properties(${source} TARGET_DIRECTORY ${target} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
    endif()
  endforeach()
endfunction()

# Precompiled headers for every target; in unity builds, the X11 sources
# kept apart.
function(corvane_finish_targets)
  corvane_targets_under(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(EXECUTABLE|SHARED_LIBRARY|STATIC_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      continue()
    endif()
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.(cpp|cxx|cc)$")
    if(CMAKE_UNITY_BUILD)
      corvane_compile_x11_sources_alone(${target} "${sources}")
    endif()
    list(LENGTH sources count)
    if(NOT CORVANE_PRECOMPILED_HEADERS OR count LESS CORVANE_PRECOMPILED_HEADER_MIN_SOURCES)
      continue()
    endif()
    set(headers ${CORVANE_STANDARD_HEADERS})
    get_target_property(libraries ${target} LINK_LIBRARIES)
    if("GTest::gtest" IN_LIST libraries)
      list(APPEND headers <gtest/gtest.h>)
    endif()
    list(TRANSFORM headers PREPEND "$<$<COMPILE_LANGUAGE:CXX>:")
    list(TRANSFORM headers APPEND ">")
    target_precompile_headers(${target} PRIVATE ${headers})
  endforeach()
endfunction()
