# The program is built in layers, each a library that links only the layers beneath it:
#   base       Qt-free code shared by the program, the converter library and its helper
#   platform   the Linux stand-ins (Qt Core; the desktop part Qt Gui)
#   core       settings, gathering and conversion logic (Qt Core)
#   widgets    the shared widgets
#   forms      the dialogs, in the folders of their parts
#   window     the main window
# A layer's include path holds its own headers and, through what it links, those of the
# layers beneath it, each under its folder, and nothing else of the source tree: an include
# that reaches up names a file the compiler cannot find.

# ordvane_layer(name TYPE STATIC|INTERFACE FILES source-or-header... LINKS target...)
function(ordvane_layer name)
  cmake_parse_arguments(ARG "" "TYPE" "FILES;LINKS" ${ARGN})
  if(NOT ARG_TYPE)
    set(ARG_TYPE STATIC)
  endif()
  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  file(REMOVE_RECURSE ${root})
  set(sources)
  foreach(file IN LISTS ARG_FILES)
    if(file MATCHES "\\.h$")
      get_filename_component(folder ${file} DIRECTORY)
      file(MAKE_DIRECTORY ${root}/${folder})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${file} ${root}/${file} SYMBOLIC)
    endif()
    list(APPEND sources ${CMAKE_SOURCE_DIR}/${file})
  endforeach()
  if(ARG_TYPE STREQUAL "INTERFACE")
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${root})
    target_link_libraries(${name} INTERFACE ${ARG_LINKS})
  else()
    add_library(${name} ${ARG_TYPE} ${sources})
    target_include_directories(${name} PUBLIC ${root})
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  endif()
endfunction()
