# Makes the Debian package of the main build with CPack, checks that it depends on the packages of what its
# libraries load and on nothing else, installs it with dpkg into a throw-away root, then builds the consumer
# host against the installed files, found where find_package looks on the system (under /usr, here taken
# inside the root), and runs it. Set MAIN_BUILD (the main build tree), WORK (a scratch folder), CXX (the
# compiler) and BUILD_TYPE.
#
# The root has a database of its own, a copy of the machine's: dpkg checks the package's dependencies and
# file conflicts against what the machine has installed and records the installation in the copy, while the
# machine's /usr stays untouched, whatever other builds and tests run beside. The maintainer scripts run
# outside the root (they only call ldconfig, which the root lacks).
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Consumer.cmake)
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} --config ${MAIN_BUILD}/CPackConfig.cmake -G DEB
                        -B ${WORK}/packages
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(GLOB deb ${WORK}/packages/talcontrol_*.deb)

set(root ${WORK}/root)
set(admin ${root}/var/lib/dpkg)
file(MAKE_DIRECTORY ${admin}/info ${admin}/updates ${admin}/triggers)
file(COPY_FILE /var/lib/dpkg/status ${admin}/status)
file(GLOB lists /var/lib/dpkg/info/*.list)
foreach(list IN LISTS lists)
  get_filename_component(name ${list} NAME)
  file(CREATE_LINK ${list} ${admin}/info/${name} COPY_ON_ERROR)
endforeach()
execute_process(COMMAND dpkg --root=${root} --log=${root}/dpkg.log --force-script-chrootless -i ${deb}
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

# What the installed libraries load, other than each other, and the package that holds each.
file(GLOB libraries ${root}/usr/lib/lib*.so)
set(own "")
foreach(library IN LISTS libraries)
  get_filename_component(name ${library} NAME)
  list(APPEND own ${name})
endforeach()
set(expected fonts-dejavu-core)
foreach(library IN LISTS libraries)
  execute_process(COMMAND readelf -d ${library} OUTPUT_VARIABLE dynamic COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ldd ${library} OUTPUT_VARIABLE resolved COMMAND_ERROR_IS_FATAL ANY)
  # Lines "name => path (address)", and "path (address)" for the loader itself.
  string(REGEX MATCHALL "[^\t\n ]+ => [^ ]+|/[^\t\n ]+ \\(" resolved "${resolved}")
  string(REGEX MATCHALL "\\(NEEDED\\)[^[]*\\[[^]]+\\]" needed "${dynamic}")
  foreach(entry IN LISTS needed)
    string(REGEX REPLACE ".*\\[(.+)\\]" "\\1" soname "${entry}")
    if(soname IN_LIST own)
      continue()
    endif()
    # Looked up by its folder and name, whichever of /lib and /usr/lib the loader took it from.
    set(pattern "")
    foreach(line IN LISTS resolved)
      if(line MATCHES "/([^/]+/([^/ ]+))( \\(|$)" AND CMAKE_MATCH_2 STREQUAL soname)
        set(pattern "*/${CMAKE_MATCH_1}")
      endif()
    endforeach()
    if(NOT pattern)
      message(FATAL_ERROR "${library} needs ${soname}, which the loader does not find")
    endif()
    execute_process(COMMAND dpkg -S ${pattern} OUTPUT_VARIABLE owner COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX REPLACE "^([^:]+).*" "\\1" owner "${owner}")
    list(APPEND expected ${owner})
  endforeach()
endforeach()
list(REMOVE_DUPLICATES expected)
list(SORT expected)

execute_process(COMMAND dpkg-deb --field ${deb} Depends OUTPUT_VARIABLE depends COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE " *\\([^)]*\\)" "" depends "${depends}")
string(REGEX REPLACE "[ \n]" "" depends "${depends}")
string(REPLACE "," ";" depends "${depends}")
list(SORT depends)
if(NOT depends STREQUAL expected)
  message(FATAL_ERROR "the package depends on ${depends}; its libraries need ${expected}")
endif()

tal_build_consumer(${WORK}/build ${root}/usr/lib/cmake/TalControl -DCMAKE_FIND_ROOT_PATH=${root}
                   -DCMAKE_FIND_ROOT_PATH_MODE_PACKAGE=ONLY -DCMAKE_CXX_COMPILER=${CXX}
                   -DCMAKE_BUILD_TYPE=${BUILD_TYPE})
execute_process(COMMAND ${WORK}/build/tal-consumer ${root}/usr COMMAND_ERROR_IS_FATAL ANY)
