# Configures the consumer host (this folder) in `build` with the further arguments given, fails unless its
# package came from `package_dir`, and builds it. For the scripts that install a package and run the host.
function(tal_build_consumer build package_dir)
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${CMAKE_CURRENT_FUNCTION_LIST_DIR} -B ${build} ${ARGN}
                          -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
                  COMMAND_ERROR_IS_FATAL ANY)
  file(STRINGS ${build}/CMakeCache.txt found REGEX "^TalControl_DIR:")
  string(REGEX REPLACE "^[^=]*=" "" found "${found}")
  if(NOT found STREQUAL package_dir)
    message(FATAL_ERROR "the consumer found the package elsewhere: ${found}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${build} COMMAND_ERROR_IS_FATAL ANY)
endfunction()
