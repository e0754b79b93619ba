# Runs PROGRAM (through EMULATOR, when given) with ARGUMENTS, separated by '|', and fails unless its exit
# code is EXPECTED; the program's output is shown either way.
string(REPLACE "|" ";" arguments "${ARGUMENTS}")
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${arguments} RESULT_VARIABLE code)
if(NOT code STREQUAL EXPECTED)
  message(FATAL_ERROR "${PROGRAM} ${arguments}: exit code ${code}, expected ${EXPECTED}")
endif()
