# The program is built in layers, each a folder with its own CMakeLists.txt, each a library
# that links only the layers beneath it:
#   base/                         Qt-free code shared by the program, the converter library and its helper
#   tsypdf/                       the converter library and its helper process
#   platform/                     the Linux stand-ins (Qt Core)
#   desktop/                      the desktop's services: opening, notifications, the task bar (Qt Gui, D-Bus)
#   settings/ gathering/ conversion/   the logic of the program (Qt Core)
#   widgets/                      what the windows share
#   forms/                        the dialogs
#   ui/                           the main window and the program's start
#   batch/                        the converter without a window
# A layer's include path holds its own headers and, through what it links, those of the
# layers beneath it, each under its folder, and nothing else of the source tree: an include
# that reaches up names a file the compiler cannot find. An include relative to the including
# file ("../x.h", or "x.h" beside it) would get round that: check_includes refuses them
# before any layer builds.
add_custom_target(check_includes
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -P ${CMAKE_CURRENT_LIST_DIR}/CheckIncludes.cmake
  COMMENT "Checking that every include names its folder"
  VERBATIM)

# ordvane_layer(name TYPE STATIC|INTERFACE FILES source-or-header... LINKS target...)
# Called from the folder's own CMakeLists.txt, with the folder's files by their names: a
# layer's files are one folder's.
function(ordvane_layer name)
  cmake_parse_arguments(ARG "" "TYPE" "FILES;LINKS" ${ARGN})
  if(NOT ARG_TYPE)
    set(ARG_TYPE STATIC)
  endif()
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${folder})
  set(sources)
  foreach(file IN LISTS ARG_FILES)
    if(file MATCHES "/")
      message(FATAL_ERROR "${name}: ${file} is not a file of ${folder}/")
    endif()
    if(file MATCHES "\\.h$")
      file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${file} ${root}/${folder}/${file} SYMBOLIC)
    endif()
    list(APPEND sources ${CMAKE_CURRENT_SOURCE_DIR}/${file})
  endforeach()
  if(ARG_TYPE STREQUAL "INTERFACE")
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${root})
    target_link_libraries(${name} INTERFACE ${ARG_LINKS})
  else()
    add_library(${name} ${ARG_TYPE} ${sources})
    target_include_directories(${name} PUBLIC ${root})
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
    add_dependencies(${name} check_includes)
  endif()
endfunction()
