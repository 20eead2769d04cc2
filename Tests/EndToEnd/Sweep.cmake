# `zarimark sweep` finds every flaw of the test add-on built with them: a crash, a hang and a
# leaked memo, each only when a host call fails; its reproducer of the leak fails `zarimark check`,
# while the scenario itself passes it. Called by ctest as
#   cmake -DZARIMARK=... -DMODULE=... -DSCENARIO=... -DOUT=... -P Sweep.cmake
include(${CMAKE_CURRENT_LIST_DIR}/ZarimarkSteps.cmake)
file(REMOVE_RECURSE ${OUT})
zm_run(0 check ${SCENARIO} --module ${MODULE})

# 5 calls: 4 of operations that only fail (2 runs each), one deletion that is also refused (12).
zm_run(1 sweep ${SCENARIO} --module ${MODULE} --jobs 2 --timeout 1 --out ${OUT})
zm_require("${zm_out}" "\nsweep: 21 runs, 20 faults, 3 crashes, 2 leaked memos, 0 unrestored states, 0 half links, 0 silently stale stamps, 0 writes outside the workspace\n")
zm_require("${zm_out}" "crash when call 1 of step [1] (HostGetSelection) fails with 0x81060001, once: the run was killed by signal 6 (Aborted)")
zm_require("${zm_out}" "crash when call 5 of step [1] (HostDeleteElements) fails with 0x810600CF, and every later call too: the run was still running after 1 s and was killed")
zm_require("${zm_out}" "leaked memo at steps[1] when call 3 of step [1] (HostGetElement) fails with 0x81060001, once: 1 memo")

file(GLOB written RELATIVE ${OUT} ${OUT}/*.json)
list(SORT written)
set(expected sweep-flaws-crash-step1-HostDeleteElements.json sweep-flaws-crash-step1-HostGetSelection.json
    sweep-flaws-leaked-memo-step1-HostGetElement.json)
if(NOT written STREQUAL expected)
    message(FATAL_ERROR "reproducers written: ${written}\nexpected: ${expected}")
endif()
zm_run(1 check ${OUT}/sweep-flaws-leaked-memo-step1-HostGetElement.json --module ${MODULE})
zm_require("${zm_out}" "steps[2]: 1 memo the host handed out in this step never went back to HostDisposeElementMemo")
# No reproducer passes: the crash kills check too, the hang outlives a timeout.
foreach(reproducer IN LISTS written)
    execute_process(COMMAND ${ZARIMARK} check ${OUT}/${reproducer} --module ${MODULE} TIMEOUT 2
                    RESULT_VARIABLE zm_exit OUTPUT_QUIET ERROR_QUIET)
    if("${zm_exit}" STREQUAL "0")
        message(FATAL_ERROR "${reproducer} passes check")
    endif()
endforeach()
