# norvex-cli apply (through Wine) as an administrator runs it, from a folder where someone planted a netsh.exe, with
# another planted beside the program: neither may run, the system's own netsh does (Wine's, which changes nothing).
# Not verified afterwards: the connection of the settings is not on this machine.
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER}/program ${FOLDER}/current)
file(COPY ${PROGRAM} ${SETTINGS} DESTINATION ${FOLDER}/program)
file(COPY_FILE ${RECORDER} ${FOLDER}/program/netsh.exe)
file(COPY_FILE ${RECORDER} ${FOLDER}/current/netsh.exe)
get_filename_component(program ${PROGRAM} NAME)
# The stand-in records into its current folder, which it shares with norvex-cli; Wine runs in the build's prefix.
execute_process(COMMAND ${CMAKE_COMMAND} -E env NORVEX_RECORD=record.txt NORVEX_WINEPREFIX=${WINEPREFIX}
        ${EMULATOR} ${FOLDER}/program/${program}
        apply 1 Desk --no-verify
    WORKING_DIRECTORY ${FOLDER}/current
    RESULT_VARIABLE code
    ERROR_VARIABLE messages)
if(EXISTS ${FOLDER}/current/record.txt)
    message(FATAL_ERROR "a planted netsh.exe ran")
endif()
if(NOT code EQUAL 0)
    message(FATAL_ERROR "norvex-cli apply ended with ${code}: ${messages}")
endif()
