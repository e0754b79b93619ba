# Installs the main build into a prefix inside the build tree, then configures, builds and runs the consumer
# host against that prefix. Set MAIN_BUILD (the main build tree), WORK (a scratch folder), CXX (the
# compiler) and BUILD_TYPE; CXX_FLAGS (a list) for a host of a sanitizer build, which must carry the same
# sanitizers.
include(${CMAKE_CURRENT_LIST_DIR}/Consumer.cmake)
file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${MAIN_BUILD} --prefix ${prefix} --config ${BUILD_TYPE}
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
list(JOIN CXX_FLAGS " " flags)
tal_build_consumer(${WORK}/build ${prefix}/lib/cmake/TalControl -DCMAKE_PREFIX_PATH=${prefix}
                   "-DCMAKE_CXX_FLAGS=${flags}" -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_BUILD_TYPE=${BUILD_TYPE})
execute_process(COMMAND ${WORK}/build/tal-consumer ${prefix} COMMAND_ERROR_IS_FATAL ANY)
