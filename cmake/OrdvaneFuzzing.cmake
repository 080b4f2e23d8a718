# ORDVANE_FUZZ: build the libFuzzer targets in tests/fuzz, in a build folder of their own,
# with clang and ORDVANE_SANITIZE=address. Everything is instrumented for coverage; only the
# fuzzers link libFuzzer's main.
option(ORDVANE_FUZZ "Build the libFuzzer targets (clang, with ORDVANE_SANITIZE=address)" OFF)
if(ORDVANE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang" OR NOT ORDVANE_SANITIZE STREQUAL "address")
    message(FATAL_ERROR "ORDVANE_FUZZ needs clang and ORDVANE_SANITIZE=address")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
  add_custom_target(fuzzers)
endif()

# ordvane_add_fuzzer(NAME LINKS target...): fuzz_NAME from fuzz_NAME.cpp in the calling
# folder, into fuzz/ of the build folder, part of the target "fuzzers".
function(ordvane_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  add_executable(fuzz_${name} fuzz_${name}.cpp)
  target_link_libraries(fuzz_${name} PRIVATE ${ARG_LINKS})
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  set_target_properties(fuzz_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  add_dependencies(fuzzers fuzz_${name})
endfunction()
