# Packages made by CPack from the install rules (`cpack` in the build folder, or the target `package`): on
# Linux a Debian package, on Windows an SDK archive holding the 64-bit and the 32-bit build side by side.
set(CPACK_PACKAGE_NAME TalControl)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "TalControl")
set(CPACK_PACKAGE_CONTACT "TalControl maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tree-view controls for Windows desktop applications")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
# Debugging information stays in the build; the packages carry stripped libraries.
set(CPACK_STRIP_FILES ON)

if(WIN32)
  # Each architecture is an install prefix of its own (x64/, x86/), with the DLLs in bin/, their import
  # libraries and the CMake package in lib/ and the headers in include/; README.md for Windows hosts on top.
  # The 64-bit build makes the archive; TAL_SDK_X86_BUILD names the 32-bit build folder to add to it.
  set(TAL_SDK_X86_BUILD "" CACHE PATH "The 32-bit build that the SDK archive holds beside this one")
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME TalControl-${PROJECT_VERSION}-windows-sdk)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL x86_64)
    set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};TalControl;ALL;/x64")
  else()
    set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};TalControl;ALL;/x86")
  endif()
  if(TAL_SDK_X86_BUILD)
    list(APPEND CPACK_INSTALL_CMAKE_PROJECTS "${TAL_SDK_X86_BUILD};TalControl;ALL;/x86")
  endif()
  set(tal_sdk_top ${CMAKE_BINARY_DIR}/sdk-top)
  configure_file(${PROJECT_SOURCE_DIR}/docs/windows-sdk.md ${tal_sdk_top}/README.md COPYONLY)
  set(CPACK_INSTALLED_DIRECTORIES "${tal_sdk_top};.")
else()
  # Installed under /usr, where the compilers and find_package look without being told. Depends holds the
  # packages of the libraries that the three libraries load (found by dpkg-shlibdeps), and the fonts that
  # the emulation reads when it draws text.
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_PACKAGE_NAME talcontrol)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)
  set(CPACK_PACKAGE_DESCRIPTION
      "A class library of tree-view controls (a general tree, a tri-state check tree, a check tree that\n"
      "notifies its parent) built on the application framework, with the framework layer and a headless\n"
      "emulation of the Win32 pieces they use, for building and testing hosts on Linux. Headers and the\n"
      "CMake package TalControl are included.")
  string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
endif()

include(CPack)
