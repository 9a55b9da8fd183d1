# Fails when the class library's test program loads an X library (ldd: every
# shared library it needs, directly or not), or when the class library itself
# names a display back end among the libraries it needs.
foreach(var PROGRAM LIBRARY)
  if(NOT EXISTS "${${var}}")
    message(FATAL_ERROR "${var} not found: ${${var}}")
  endif()
endforeach()

execute_process(COMMAND ldd ${PROGRAM} OUTPUT_VARIABLE loaded RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT loaded MATCHES "libplatform_classes")
  message(FATAL_ERROR "ldd could not list the libraries of ${PROGRAM}:\n${loaded}")
endif()
string(REGEX MATCHALL "libX[A-Za-z0-9_-]*\\.so[.0-9]*|libxcb[A-Za-z0-9_-]*\\.so[.0-9]*" x_libraries "${loaded}")
list(REMOVE_DUPLICATES x_libraries)
if(x_libraries)
  message(FATAL_ERROR "${PROGRAM} loads X libraries: ${x_libraries}")
endif()

execute_process(COMMAND objdump -p ${LIBRARY} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT headers MATCHES "NEEDED")
  message(FATAL_ERROR "objdump could not read the dynamic section of ${LIBRARY}")
endif()
string(REGEX MATCHALL "NEEDED +[^\n]*(display|X11|libX)[^\n]*" back_ends "${headers}")
if(back_ends)
  message(FATAL_ERROR "${LIBRARY} needs a display back end or an X library: ${back_ends}")
endif()
message(STATUS "no X library in ${PROGRAM}, no display back end in ${LIBRARY}")
