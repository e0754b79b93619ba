# Makes the Debian package of the main build with CPack, checks that it depends on the packages of what its
# libraries load and on nothing else, installs it with dpkg into a throw-away root, then builds the consumer
# host against the installed files, found where find_package looks on a system (/usr, here inside the root),
# and runs it. Set MAIN_BUILD (the main build tree), WORK (a scratch folder), CXX and BUILD_TYPE.
#
# The root has a copy of the machine's package database: dpkg checks the dependencies and file conflicts
# against what the machine has installed, while the machine's /usr stays untouched whatever runs beside.
# The maintainer scripts (ldconfig, which the root lacks) run outside the root.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Consumer.cmake)
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} --config ${MAIN_BUILD}/CPackConfig.cmake -G DEB
                        -B ${WORK}/packages
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(GLOB deb ${WORK}/packages/talcontrol_*.deb)
set(root ${WORK}/root)
file(MAKE_DIRECTORY ${root}/var/lib/dpkg/info ${root}/var/lib/dpkg/updates ${root}/var/lib/dpkg/triggers)
execute_process(COMMAND sh -c "cp /var/lib/dpkg/status $0/ && cp /var/lib/dpkg/info/*.list $0/info/"
                        ${root}/var/lib/dpkg
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND dpkg --root=${root} --log=${root}/dpkg.log --force-script-chrootless -i ${deb}
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

# The packages that hold what the installed libraries load, other than each other.
execute_process(COMMAND dpkg-architecture -qDEB_HOST_MULTIARCH OUTPUT_VARIABLE multiarch
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
file(GLOB libraries RELATIVE ${root}/usr/lib ${root}/usr/lib/lib*.so)
set(expected fonts-dejavu-core)
foreach(library IN LISTS libraries)
  execute_process(COMMAND readelf -d ${root}/usr/lib/${library} OUTPUT_VARIABLE dynamic
                  COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*\\]" needed "${dynamic}")
  list(TRANSFORM needed REPLACE ".*\\[(.*)\\]" "\\1")
  list(REMOVE_ITEM needed ${libraries})
  foreach(soname IN LISTS needed)
    execute_process(COMMAND dpkg -S */${multiarch}/${soname} OUTPUT_VARIABLE owner COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX REPLACE "[:,].*" "" owner "${owner}")
    list(APPEND expected ${owner})
  endforeach()
endforeach()
list(REMOVE_DUPLICATES expected)
list(SORT expected)
execute_process(COMMAND dpkg-deb --field ${deb} Depends OUTPUT_VARIABLE depends COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE " *\\([^)]*\\)|[ \n]" "" depends "${depends}")
string(REPLACE "," ";" depends "${depends}")
list(SORT depends)
if(NOT depends STREQUAL expected)
  message(FATAL_ERROR "the package depends on ${depends}; its libraries need ${expected}")
endif()

tal_build_consumer(${WORK}/build ${root}/usr/lib/cmake/TalControl -DCMAKE_FIND_ROOT_PATH=${root}
                   -DCMAKE_FIND_ROOT_PATH_MODE_PACKAGE=ONLY -DCMAKE_CXX_COMPILER=${CXX}
                   -DCMAKE_BUILD_TYPE=${BUILD_TYPE})
execute_process(COMMAND ${WORK}/build/tal-consumer ${root}/usr COMMAND_ERROR_IS_FATAL ANY)
