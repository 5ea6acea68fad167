# cmake -DROOT=<tree> -P check_layers.cmake
# Each folder includes only the folders below it: core/ no Qt and nothing of the editor,
# framework/ nothing of shell/, events/ or database/, shell/ nothing of events/ or
# database/, events/ nothing of database/. Inside framework/, the controls and the form
# toolkit (forms/) include nothing of the pickers built on them. Prints every offending
# line and fails.
set(forbidden_core "Qt" "framework" "shell" "events" "database" "platform")
set(forbidden_framework "shell" "events" "database" "platform")
set(forbidden_framework_controls "framework/pickers")
set(forbidden_framework_forms "framework/pickers")
set(forbidden_shell "events" "database")
set(forbidden_events "database")

set(count 0)
foreach(layer core framework framework/controls framework/forms shell events)
  string(REPLACE "/" "_" key "${layer}")
  file(GLOB_RECURSE files ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp)
  foreach(file ${files})
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" header "${line}")
      foreach(upper ${forbidden_${key}})
        if(upper STREQUAL "Qt")
          set(pattern "^Q[A-Za-z]")
        else()
          set(pattern "^${upper}/")
        endif()
        if(header MATCHES "${pattern}")
          file(RELATIVE_PATH shown ${ROOT} ${file})
          message("${shown}: includes ${header}")
          math(EXPR count "${count} + 1")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()

if(count GREATER 0)
  message(FATAL_ERROR "layering: ${count} violations")
endif()
message("layering: no violations")
