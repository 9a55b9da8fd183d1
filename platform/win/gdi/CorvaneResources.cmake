# corvane_resources(target folder): compiles every file under folder into the
# target as a resource, found at run time with FindResource and the Load*
# calls by the target's module handle. A file's name without its extension is
# the resource name; the extension gives its type (see Resources.h).
function(corvane_resources target folder)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${folder}/*)
  # The files are read here, at configure time: a changed file must configure again.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${files})
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  set(arrays "")
  set(entries "")
  set(index 0)
  foreach(f IN LISTS files)
    get_filename_component(name ${f} NAME_WE)
    get_filename_component(ext ${f} LAST_EXT)
    string(SUBSTRING "${ext}" 1 -1 ext)
    string(TOLOWER "${ext}" ext)
    file(READ ${f} hex HEX)
    string(LENGTH "${hex}" length)
    math(EXPR size "${length} / 2")
    if(size EQUAL 0)
      set(bytes "0")
    else()
      string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    endif()
    string(APPEND arrays "const unsigned char kData${index}[] = {${bytes}};\n")
    string(APPEND entries "    {\"${name}\", \"${ext}\", kData${index}, ${size}},\n")
    math(EXPR index "${index} + 1")
  endforeach()
  if(index EQUAL 0)
    return()
  endif()
  file(CONFIGURE OUTPUT ${out} CONTENT "// Generated from ${folder}: do not edit.
#include \"platform/base/ModuleLoader.h\"
#include \"platform/win/gdi/Resources.h\"

namespace {
${arrays}
const TResourceEntry kEntries[] = {
${entries}};

struct TRegistrar {
  TRegistrar() { RegisterResources(HInstance(), kEntries, ${index}); }
  ~TRegistrar() { UnregisterResources(HInstance()); }
} registrar;
}  // namespace
" @ONLY)
  target_sources(${target} PRIVATE ${out})
endfunction()
