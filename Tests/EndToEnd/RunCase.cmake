# Runs zarimark once and checks what it did. Called by ctest as
#   cmake -DZARIMARK=... -DARGS=a|b -DWORKDIR=... -DEXIT=n [-DSTDOUT_FILE=...] [-DSTDERR_FILE=...]
#         [-DSTDOUT_HAS=x|y] [-DSTDERR_HAS=x|y] [-DOUTPUT_FILE=... -DOUTPUT_HAS=x|y] [-DOUTPUT_SAME_AS=...]
#         [-DBIN_DIR=...] -P RunCase.cmake
# Whole-file comparisons replace BIN_DIR by <bin>, so that expected files hold no build paths.
string(REPLACE "|" ";" zm_args "${ARGS}")
execute_process(COMMAND ${ZARIMARK} ${zm_args}
    WORKING_DIRECTORY ${WORKDIR}
    RESULT_VARIABLE zm_exit
    OUTPUT_VARIABLE zm_stdout
    ERROR_VARIABLE zm_stderr)
if(BIN_DIR)
    string(REPLACE "${BIN_DIR}" "<bin>" zm_stdout "${zm_stdout}")
    string(REPLACE "${BIN_DIR}" "<bin>" zm_stderr "${zm_stderr}")
endif()

set(zm_failures "")
if(NOT "${zm_exit}" STREQUAL "${EXIT}")
    string(APPEND zm_failures "exit code ${zm_exit}, expected ${EXIT}\n")
endif()

function(zm_compare_whole name actual expected_file)
    file(READ ${expected_file} expected)
    if(NOT actual STREQUAL expected)
        file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/actual-${name} "${actual}")
        set(zm_failures "${zm_failures}${name} differs from ${expected_file} (actual output kept in actual-${name})\n"
            PARENT_SCOPE)
    endif()
endfunction()

function(zm_require_parts name actual parts)
    string(REPLACE "|" ";" parts "${parts}")
    foreach(part IN LISTS parts)
        string(FIND "${actual}" "${part}" at)
        if(at EQUAL -1)
            set(zm_failures "${zm_failures}${name} lacks: ${part}\n" PARENT_SCOPE)
        endif()
    endforeach()
endfunction()

if(STDOUT_FILE)
    zm_compare_whole(stdout "${zm_stdout}" ${STDOUT_FILE})
endif()
if(STDERR_FILE)
    zm_compare_whole(stderr "${zm_stderr}" ${STDERR_FILE})
endif()
if(STDOUT_HAS)
    zm_require_parts(stdout "${zm_stdout}" "${STDOUT_HAS}")
endif()
if(STDERR_HAS)
    zm_require_parts(stderr "${zm_stderr}" "${STDERR_HAS}")
endif()
if(OUTPUT_FILE)
    if(EXISTS ${OUTPUT_FILE})
        file(READ ${OUTPUT_FILE} zm_output)
        zm_require_parts(${OUTPUT_FILE} "${zm_output}" "${OUTPUT_HAS}")
        if(OUTPUT_SAME_AS)
            zm_compare_whole(output "${zm_output}" ${OUTPUT_SAME_AS})
        endif()
    else()
        string(APPEND zm_failures "${OUTPUT_FILE} was not written\n")
    endif()
endif()

if(NOT zm_failures STREQUAL "")
    message("--- stdout\n${zm_stdout}--- stderr\n${zm_stderr}---")
    message(FATAL_ERROR "${zm_failures}")
endif()
