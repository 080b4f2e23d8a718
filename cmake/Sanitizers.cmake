# ORDVANE_SANITIZE: build everything with run-time checks, for the CI's sanitizer builds.
#   address   AddressSanitizer and UndefinedBehaviorSanitizer
#   thread    ThreadSanitizer
# Any report ends the process with an error, so that no fault passes as a warning.
set(ORDVANE_SANITIZE "" CACHE STRING "Sanitizers to build with: address, thread or empty")
set_property(CACHE ORDVANE_SANITIZE PROPERTY STRINGS "" address thread)

if(ORDVANE_SANITIZE STREQUAL "address")
  set(ORDVANE_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all)
elseif(ORDVANE_SANITIZE STREQUAL "thread")
  set(ORDVANE_SANITIZER_FLAGS -fsanitize=thread)
elseif(NOT ORDVANE_SANITIZE STREQUAL "")
  message(FATAL_ERROR "ORDVANE_SANITIZE must be address, thread or empty, not ${ORDVANE_SANITIZE}")
endif()
if(ORDVANE_SANITIZER_FLAGS)
  list(APPEND ORDVANE_SANITIZER_FLAGS -fno-omit-frame-pointer)
  add_compile_options(${ORDVANE_SANITIZER_FLAGS})
  add_link_options(${ORDVANE_SANITIZER_FLAGS})
endif()

function(ordvane_strip_sanitizers target)
  foreach(property COMPILE_OPTIONS LINK_OPTIONS)
    get_target_property(options ${target} ${property})
    if(options)
      list(REMOVE_ITEM options ${ORDVANE_SANITIZER_FLAGS})
      set_target_properties(${target} PROPERTIES ${property} "${options}")
    endif()
  endforeach()
endfunction()

# ordvane_plain_executable(name SOURCES file... LINKS layer...): a program built without the
# sanitizers, with plain copies of the static layers it links (layers that link nothing
# else). For a test double that must run under the converter's tight address-space cap,
# which a sanitizer's shadow memory alone would exceed.
function(ordvane_plain_executable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(NOT ORDVANE_SANITIZER_FLAGS)
    target_link_libraries(${name} PRIVATE ${ARG_LINKS})
    return()
  endif()
  foreach(layer IN LISTS ARG_LINKS)
    if(NOT TARGET ${layer}_plain)
      get_target_property(sources ${layer} SOURCES)
      add_library(${layer}_plain STATIC ${sources})
      target_include_directories(${layer}_plain PUBLIC $<TARGET_PROPERTY:${layer},INTERFACE_INCLUDE_DIRECTORIES>)
      ordvane_strip_sanitizers(${layer}_plain)
    endif()
    target_link_libraries(${name} PRIVATE ${layer}_plain)
  endforeach()
  ordvane_strip_sanitizers(${name})
endfunction()
