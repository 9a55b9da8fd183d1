# libFuzzer targets (clang only). Each fuzz folder declares its programs with
# corvane_fuzz_target(<target> CORPUS <folder>...), which gives them the
# fuzzer and sanitizer options; once every folder is in,
# corvane_fuzz_targets_done() adds the `fuzzers` target, which builds them all
# and nothing else, and writes fuzzers.txt into the build folder: one program a
# line, followed by its corpus folders. scripts/fuzz builds and replays them
# from there.
set(CORVANE_FUZZ_COMPILE_OPTIONS -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
                                 -fno-omit-frame-pointer)
set(CORVANE_FUZZ_LINK_OPTIONS -fsanitize=fuzzer,address,undefined)

function(corvane_fuzz_target target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "CORPUS")
  if(NOT arg_CORPUS)
    message(FATAL_ERROR "fuzz target ${target} has no corpus folder")
  endif()
  target_compile_options(${target} PRIVATE ${CORVANE_FUZZ_COMPILE_OPTIONS})
  target_link_options(${target} PRIVATE ${CORVANE_FUZZ_LINK_OPTIONS})
  set_property(GLOBAL APPEND PROPERTY CORVANE_FUZZ_TARGETS ${target})
  set_property(GLOBAL PROPERTY CORVANE_FUZZ_CORPUS_${target} ${arg_CORPUS})
endfunction()

function(corvane_fuzz_targets_done)
  get_property(targets GLOBAL PROPERTY CORVANE_FUZZ_TARGETS)
  set(lines "")
  foreach(target IN LISTS targets)
    get_property(corpus GLOBAL PROPERTY CORVANE_FUZZ_CORPUS_${target})
    list(JOIN corpus " " folders)
    string(APPEND lines "$<TARGET_FILE:${target}> ${folders}\n")
  endforeach()
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/fuzzers.txt CONTENT "${lines}")
  add_custom_target(fuzzers DEPENDS ${targets})
endfunction()
