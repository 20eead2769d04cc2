# Helpers for the end-to-end scripts that run zarimark several times (cmake -P).

# Runs zarimark with the arguments; fails unless it exits with `expected_exit`. Leaves its output
# in zm_out and zm_err.
function(zm_run expected_exit)
    execute_process(COMMAND ${ZARIMARK} ${ARGN} RESULT_VARIABLE zm_exit OUTPUT_VARIABLE zm_out ERROR_VARIABLE zm_err)
    if(NOT "${zm_exit}" STREQUAL "${expected_exit}")
        message(FATAL_ERROR "zarimark ${ARGN}: exit ${zm_exit}, expected ${expected_exit}\n${zm_out}${zm_err}")
    endif()
    set(zm_out "${zm_out}" PARENT_SCOPE)
    set(zm_err "${zm_err}" PARENT_SCOPE)
endfunction()

# Fails unless `text` holds `part`.
function(zm_require text part)
    string(FIND "${text}" "${part}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "lacks: ${part}\n--- in:\n${text}")
    endif()
endfunction()
