# Keeps the source folders in layers, from the ground up. A file includes
# headers of its own folder and of folders in lower layers only, so no two
# folders include each other. Folders in one layer (the two front ends) do
# not include each other either. The core (everything below the front ends)
# never includes a GTK or GDK header.
set(layers
  "io"         # the file-system layer
  "text"       # code points, encodings, 1-based string helpers
  "model"      # project, analysis model, check lists, workspace
  "host"       # the run host interface and the log texts
  "project"    # project, settings and user list files
  "generate"   # the generated files: code builders, read-back, writing
  "analysis"   # reading the forms and sources
  "check"      # constant check and bindings
  "rewrite"    # backup and renaming in the user's code
  "run"        # the pipeline and undo
  "cli;app"    # the front ends
)
set(rank 0)
foreach(layer ${layers})
  foreach(folder ${layer})
    set(rank_of_${folder} ${rank})
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()
# Files directly in src/ (the program's main) sit above every layer.
set(top_rank ${rank})

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR}/src ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h)
set(offenders "")
foreach(f ${files})
  if(f MATCHES "^app/icons/")
    continue()  # a build tool, not part of the program
  endif()
  if(f MATCHES "/")
    string(REGEX REPLACE "/.*" "" folder "${f}")
    if(NOT DEFINED rank_of_${folder})
      list(APPEND offenders "${f}: folder ${folder} has no layer (add it to cmake/check_core_layering.cmake)")
      continue()
    endif()
    set(own_rank ${rank_of_${folder}})
  else()
    set(folder "")
    set(own_rank ${top_rank})
  endif()
  file(STRINGS ${SOURCE_DIR}/src/${f} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line ${includes})
    if(line MATCHES "[<\"](gtk|gdk)/" AND NOT folder STREQUAL "app" AND NOT folder STREQUAL "")
      list(APPEND offenders "${f}: GTK or GDK outside src/app: ${line}")
    endif()
    if(NOT line MATCHES "\"([a-z_]+)/[^\"]*\"")
      continue()
    endif()
    set(target ${CMAKE_MATCH_1})
    if(target STREQUAL folder OR NOT DEFINED rank_of_${target})
      continue()
    endif()
    if(NOT rank_of_${target} LESS own_rank)
      list(APPEND offenders "${f}: includes ${target}/, which is not in a lower layer: ${line}")
    endif()
  endforeach()
endforeach()
if(offenders)
  string(REPLACE ";" "\n  " listing "${offenders}")
  message(FATAL_ERROR "Layering broken (order: io, text, model, host, project, generate, analysis, check, rewrite, run, cli/app):\n  ${listing}")
endif()
