# Fails when a source file includes a file of ours by a path relative to itself: "../x.h"
# or a bare "x.h" (moc's output for the file itself aside). Such an include finds its file beside the includer in the source tree
# whatever the layers allow. Every include of ours names its folder from the source root.
set(globs)
foreach(folder base tsypdf platform desktop settings gathering conversion widgets forms ui batch tests bench)
  list(APPEND globs ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
endforeach()
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${globs})
set(offences)
foreach(source IN LISTS sources)
  file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    if(line MATCHES "\"[^\"]*\\.moc\"")
      continue() # made by moc for this very file
    endif()
    if(line MATCHES "\"\\.\\./" OR line MATCHES "\"\\./" OR NOT line MATCHES "\"[^\"]+/[^\"]+\"")
      list(APPEND offences "${source}: ${line}")
    endif()
  endforeach()
endforeach()
if(offences)
  list(JOIN offences "\n  " shown)
  message(FATAL_ERROR "Includes must name their folder from the source root, not reach by a relative path:\n  ${shown}")
endif()
