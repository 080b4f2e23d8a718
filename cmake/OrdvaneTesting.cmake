# One test program per area, run by CTest in a fixed, display-less environment, each on a
# private session bus of its own, so that no test reaches the user's desktop services.
find_program(DBUS_RUN_SESSION dbus-run-session REQUIRED)

function(ordvane_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(tst_${name} ${ARG_SOURCES})
  target_link_libraries(tst_${name} PRIVATE ordvane_core Qt6::Test ${ARG_LIBRARIES})
  # Tests stand above every layer and share support files from the source tree.
  target_include_directories(tst_${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(tst_${name} PRIVATE
    ORDVANE_BIN_DIR="${ORDVANE_BIN_DIR}/"
    ORDVANE_TEST_BIN_DIR="${ORDVANE_TEST_BIN_DIR}/")
  set_target_properties(tst_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_dependencies(tst_${name} tsypdf tsypdf-worker help_pages)
  ordvane_add_test_run(${name} ${name} "")
endfunction()

# A run of the test program of an area, with more environment and chosen test functions.
function(ordvane_add_test_run name program environment)
  add_test(NAME ${name} COMMAND ${DBUS_RUN_SESSION} --config-file=${CMAKE_SOURCE_DIR}/cmake/test-session-bus.conf
           -- $<TARGET_FILE:tst_${program}> ${ARGN})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=;LANGUAGE=;TZ=UTC;${environment}"
    TIMEOUT 300)
endfunction()
