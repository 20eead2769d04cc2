# `zarimark new` writes a scenario that passes `zarimark check`, and overwrites an existing file only
# with --force. Called by ctest as cmake -DZARIMARK=... -DFILE=... -P NewScenario.cmake
include(${CMAKE_CURRENT_LIST_DIR}/ZarimarkSteps.cmake)
file(REMOVE ${FILE})
zm_run(0 new ${FILE})
zm_require("${zm_out}" "wrote ${FILE}")
zm_require("${zm_out}" "zarimark check ${FILE}")
zm_run(0 check ${FILE})
zm_require("${zm_out}" "expectations, all met")

file(WRITE ${FILE} "the user's own work\n")
zm_run(2 new ${FILE})
zm_require("${zm_err}" "\"${FILE}\" exists; nothing was written (--force overwrites it)")
file(READ ${FILE} kept)
if(NOT kept STREQUAL "the user's own work\n")
    message(FATAL_ERROR "new overwrote ${FILE} without --force")
endif()
zm_run(0 new ${FILE} --force)
zm_run(0 check ${FILE})
