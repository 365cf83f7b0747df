# cmake -DCOMMAND=program;arg;... -DOUTPUT=file -P run_to_file.cmake
# Writes what the command prints to OUTPUT; a failing command fails the build.
execute_process(COMMAND ${COMMAND} OUTPUT_FILE ${OUTPUT}.part RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    file(REMOVE ${OUTPUT}.part)
    message(FATAL_ERROR "${COMMAND} failed: ${result}")
endif()
file(RENAME ${OUTPUT}.part ${OUTPUT})
