# Installs the main build into a prefix inside the build tree, then configures, builds and runs the consumer
# host against that prefix. Set MAIN_BUILD (the main build tree), SOURCE (this folder), WORK (a scratch
# folder), CXX (the compiler) and BUILD_TYPE; CXX_FLAGS (a list) for a host of a sanitizer build, which
# must carry the same sanitizers.
file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${MAIN_BUILD} --prefix ${prefix} --config ${BUILD_TYPE}
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
list(JOIN CXX_FLAGS " " flags)
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK}/build -DCMAKE_PREFIX_PATH=${prefix}
                        "-DCMAKE_CXX_FLAGS=${flags}"
                        -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
                        -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
                COMMAND_ERROR_IS_FATAL ANY)
# The package must have come from the prefix, not from the build tree.
file(STRINGS ${WORK}/build/CMakeCache.txt found REGEX "^TalControl_DIR:")
string(FIND "${found}" "${prefix}/" at)
if(NOT at GREATER -1)
  message(FATAL_ERROR "the consumer found the package elsewhere: ${found}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK}/build COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${WORK}/build/tal-consumer ${prefix} COMMAND_ERROR_IS_FATAL ANY)
