# The API reference (target docs, not built by default): Doxygen, from Debian's package doxygen, writes it
# to docs/api/html in the build folder and fails on any warning.
find_program(TAL_DOXYGEN doxygen)
set(TAL_DOCS_OUTPUT ${CMAKE_BINARY_DIR}/docs/api)
configure_file(${PROJECT_SOURCE_DIR}/docs/api/Doxyfile.in ${TAL_DOCS_OUTPUT}/Doxyfile @ONLY)
if(TAL_DOXYGEN)
  add_custom_target(docs COMMAND ${TAL_DOXYGEN} ${TAL_DOCS_OUTPUT}/Doxyfile
                    COMMENT "Writing the API reference to ${TAL_DOCS_OUTPUT}/html" VERBATIM)
else()
  add_custom_target(docs
                    COMMAND ${CMAKE_COMMAND} -E echo "doxygen is missing: install it, then configure again"
                    COMMAND ${CMAKE_COMMAND} -E false VERBATIM)
endif()
