# The build step of resource scripts (cmake/TalResources.cmake): a module with a script builds and carries
# its resource note; changing the script's header or its bitmap compiles the script again and relinks the
# module, and nothing else does; a script cut short fails the build with the resource compiler's message,
# which names the file and the line. Set SOURCE (resources/ beside this file), WORK (a scratch folder),
# TAL_SOURCE (the project's source folder) and CXX.
file(REMOVE_RECURSE ${WORK})
file(COPY ${SOURCE}/ DESTINATION ${WORK}/source)

function(build folder script result output)
  if(NOT EXISTS ${WORK}/${folder}/CMakeCache.txt)
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${WORK}/source -B ${WORK}/${folder} -DTAL_SOURCE=${TAL_SOURCE}
                            -DSCRIPT=${script} -DCMAKE_CXX_COMPILER=${CXX} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK}/${folder} RESULT_VARIABLE code OUTPUT_VARIABLE out
                  ERROR_VARIABLE out)
  set(${result} ${code} PARENT_SCOPE)
  set(${output} "${out}" PARENT_SCOPE)
endfunction()

build(good Good.rc code out)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "the good script does not build:\n${out}")
endif()
find_program(READELF readelf REQUIRED)
execute_process(COMMAND ${READELF} --notes ${WORK}/good/module OUTPUT_VARIABLE notes COMMAND_ERROR_IS_FATAL ANY)
string(FIND "${notes}" "TalControl" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the module carries no resource note:\n${notes}")
endif()

build(good Good.rc code out)
string(FIND "${out}" "Compiling the resource script" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "the script was compiled again although nothing changed:\n${out}")
endif()

foreach(input Names.h Dot.bmp)
  # A later modification time than anything built so far.
  execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1)
  file(TOUCH ${WORK}/source/${input})
  build(good Good.rc code out)
  string(FIND "${out}" "Compiling the resource script Good.rc" compiled)
  string(FIND "${out}" "Linking CXX executable module" linked)
  if(compiled EQUAL -1 OR linked EQUAL -1)
    message(FATAL_ERROR "changing ${input} did not rebuild the module:\n${out}")
  endif()
endforeach()

build(truncated Truncated.rc code out)
if(code EQUAL 0)
  message(FATAL_ERROR "the truncated script built:\n${out}")
endif()
if(NOT out MATCHES "Truncated\\.rc:[0-9]+: syntax error")
  message(FATAL_ERROR "no message naming the file and the line:\n${out}")
endif()
file(GLOB_RECURSE leftovers ${WORK}/truncated/*.rc.res)
if(leftovers)
  message(FATAL_ERROR "a .res file was left behind: ${leftovers}")
endif()
