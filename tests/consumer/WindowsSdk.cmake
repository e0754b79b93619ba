# Makes the Windows SDK archive of the 64-bit build (with the 32-bit build beside it) with CPack, unpacks it,
# reads the version record of each architecture's DLL, builds the consumer host with MinGW-w64 against each
# architecture's CMake package, and runs the 64-bit one under the emulator (Wine); the 32-bit one is built
# and linked only, as this machine cannot run it. Set MAIN_BUILD (the 64-bit build tree), WORK (a scratch
# folder), TOOLCHAIN (the MinGW-w64 toolchain file), EMULATOR (what runs a Windows program) and LAUNCHER
# (the compiler launcher, may be empty).
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Consumer.cmake)
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} --config ${MAIN_BUILD}/CPackConfig.cmake -G ZIP
                        -B ${WORK}/packages
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(GLOB archive ${WORK}/packages/TalControl-*-windows-sdk.zip)
file(ARCHIVE_EXTRACT INPUT ${archive} DESTINATION ${WORK}/unpacked)
get_filename_component(name ${archive} NAME_WLE)
set(sdk ${WORK}/unpacked/${name})
if(NOT EXISTS ${sdk}/README.md)
  message(FATAL_ERROR "the archive has no README.md on top")
endif()

foreach(arch IN ITEMS x64:x86_64 x86:i686)
  string(REPLACE ":" ";" arch ${arch})
  list(GET arch 0 folder)
  list(GET arch 1 processor)
  # The version record as the architecture's own resource compiler reads it from the DLL.
  execute_process(COMMAND ${processor}-w64-mingw32-windres -i ${sdk}/${folder}/bin/TalControl.dll -O rc
                  OUTPUT_VARIABLE resources COMMAND_ERROR_IS_FATAL ANY)
  foreach(line IN ITEMS "FILEVERSION 1, 0, 0, 1" "VALUE \"OriginalFilename\", \"TalControl.dll\"")
    string(FIND "${resources}" "${line}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "the ${folder} DLL's version record lacks ${line}")
    endif()
  endforeach()
  set(package ${sdk}/${folder}/lib/cmake/TalControl)
  tal_build_consumer(${WORK}/${folder} ${package} -DTalControl_DIR=${package}
                     -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DTAL_MINGW_ARCH=${processor}
                     -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endforeach()
execute_process(COMMAND ${EMULATOR} ${WORK}/x64/tal-consumer.exe COMMAND_ERROR_IS_FATAL ANY)
