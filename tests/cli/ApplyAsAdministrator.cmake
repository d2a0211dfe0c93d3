# norvex-cli apply through Wine, which runs every program elevated, as an administrator would run it (without
# verifying: the connection of the settings is not on this machine):
# - from a folder where someone planted a netsh.exe, with another planted beside the program: neither may run, the
#   system's own netsh does (Wine's, which changes nothing);
# - with a Settings folder that others may write into (Wine shows others' write bit as an entry for Everyone): the
#   apply is refused and says why.
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER}/program ${FOLDER}/current)
file(COPY ${PROGRAM} ${SETTINGS} ${LANGUAGE} DESTINATION ${FOLDER}/program)
file(COPY_FILE ${RECORDER} ${FOLDER}/program/netsh.exe)
file(COPY_FILE ${RECORDER} ${FOLDER}/current/netsh.exe)
get_filename_component(program ${PROGRAM} NAME)

function(apply)
    # The stand-in records into its current folder, which it shares with norvex-cli; Wine runs in the build's prefix.
    execute_process(COMMAND ${CMAKE_COMMAND} -E env NORVEX_RECORD=record.txt NORVEX_WINEPREFIX=${WINEPREFIX}
            ${EMULATOR} ${FOLDER}/program/${program} apply 1 Desk --no-verify
        WORKING_DIRECTORY ${FOLDER}/current
        RESULT_VARIABLE code
        ERROR_VARIABLE messages)
    if(EXISTS ${FOLDER}/current/record.txt)
        message(FATAL_ERROR "a planted netsh.exe ran")
    endif()
    set(code ${code} PARENT_SCOPE)
    set(messages "${messages}" PARENT_SCOPE)
endfunction()

apply()
if(NOT code EQUAL 0)
    message(FATAL_ERROR "norvex-cli apply ended with ${code}: ${messages}")
endif()

file(CHMOD ${FOLDER}/program/Settings DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_WRITE WORLD_EXECUTE)
apply()
set(told "not applied: nothing was changed\r?\nEveryone may change [^\n]*program\\\\Settings,")
if(NOT code EQUAL 1 OR NOT messages MATCHES "${told}")
    message(FATAL_ERROR "with others' write on Settings, norvex-cli apply ended with ${code}: ${messages}")
endif()
