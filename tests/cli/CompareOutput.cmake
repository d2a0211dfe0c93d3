# Runs norvex-cli (through Wine in the Windows build) in FOLDER with ARGS and compares its standard output with the
# EXPECTED file byte for byte.
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${ARGS}
    WORKING_DIRECTORY ${FOLDER}
    OUTPUT_FILE ${OUTPUT}
    RESULT_VARIABLE code)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "norvex-cli ${ARGS} ended with ${code}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED} RESULT_VARIABLE different)
if(different)
    message(FATAL_ERROR "${OUTPUT} differs from ${EXPECTED}")
endif()
