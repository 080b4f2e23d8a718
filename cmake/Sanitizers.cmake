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

# A test double that must run under the converter's tight address-space cap, which a
# sanitizer's shadow memory alone would exceed: it is built plain.
function(ordvane_build_plain target)
  if(ORDVANE_SANITIZER_FLAGS)
    get_target_property(options ${target} COMPILE_OPTIONS)
    list(REMOVE_ITEM options ${ORDVANE_SANITIZER_FLAGS})
    set_target_properties(${target} PROPERTIES COMPILE_OPTIONS "${options}")
    get_target_property(options ${target} LINK_OPTIONS)
    list(REMOVE_ITEM options ${ORDVANE_SANITIZER_FLAGS})
    set_target_properties(${target} PROPERTIES LINK_OPTIONS "${options}")
  endif()
endfunction()
