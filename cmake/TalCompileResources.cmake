# The build step of tal_add_resources (TalResources.cmake) on platforms other than Windows, run as
# cmake -P: compiles SCRIPT with WINDRES into the .res file OUTPUT, preprocessed by PREPROCESSOR with
# RC_INVOKED defined, the folders INCLUDES and the definitions DEFINES; then writes DEPFILE, which names the
# script, every file it includes and every file it names (bitmaps, icons ...).
set(flags "")
# A target's folders hold empty entries where a generator expression gives nothing (an install folder in the
# build tree); an empty -I would take the next flag for its folder.
foreach(folder IN LISTS INCLUDES)
  if(NOT folder STREQUAL "")
    list(APPEND flags -I${folder})
  endif()
endforeach()
foreach(definition IN LISTS DEFINES)
  list(APPEND flags -D${definition})
endforeach()

get_filename_component(output_folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${output_folder})
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${WINDRES} --preprocessor=${PREPROCESSOR} --preprocessor-arg=-E --preprocessor-arg=-xc
                        --preprocessor-arg=-DRC_INVOKED ${flags} -J rc -O res -i ${SCRIPT} -o ${OUTPUT}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "The resource script ${SCRIPT} does not compile (see the message above).")
endif()

# The files the script includes are those the preprocessor's line markers name.
set(preprocessed ${OUTPUT}.i)
execute_process(COMMAND ${PREPROCESSOR} -E -xc -DRC_INVOKED ${flags} ${SCRIPT} -o ${preprocessed}
                COMMAND_ERROR_IS_FATAL ANY)
file(STRINGS ${preprocessed} lines)
get_filename_component(script_folder ${SCRIPT} DIRECTORY)
set(inputs ${SCRIPT})
foreach(line IN LISTS lines)
  if(line MATCHES "^# [0-9]+ \"([^\"<][^\"]*)\"")
    get_filename_component(file ${CMAKE_MATCH_1} ABSOLUTE)
    list(APPEND inputs ${file})
  # A statement naming a file: an ID, a type and perhaps options, then the file name alone in quotes (the
  # statements of texts have a comma or fewer words before their quotes).
  elseif(line MATCHES "^[ \t]*[^ \t\",#]+([ \t]+[^ \t\",]+)+[ \t]+\"([^\"]+)\"[ \t]*$")
    string(REPLACE "\\\\" "/" name "${CMAKE_MATCH_2}")
    foreach(folder IN LISTS script_folder INCLUDES)
      if(IS_ABSOLUTE ${name})
        set(file ${name})
      else()
        set(file ${folder}/${name})
      endif()
      if(EXISTS ${file} AND NOT IS_DIRECTORY ${file})
        get_filename_component(file ${file} ABSOLUTE)
        list(APPEND inputs ${file})
        break()
      endif()
    endforeach()
  endif()
endforeach()
list(REMOVE_DUPLICATES inputs)
file(REMOVE ${preprocessed})

set(rule "${OUTPUT}:")
foreach(file IN LISTS inputs)
  string(REPLACE " " "\\ " file "${file}")
  string(APPEND rule " \\\n  ${file}")
endforeach()
file(WRITE ${DEPFILE} "${rule}\n")
