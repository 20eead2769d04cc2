# Fails when the program holds or needs any symbol of the add-on's namespace: the runner must see
# the add-on only through the module it loads. Called by ctest as
#   cmake -DPROGRAM=... -DNM=... -P NoAddOnSymbols.cmake
execute_process(COMMAND ${NM} -C ${PROGRAM}
    RESULT_VARIABLE zm_exit
    OUTPUT_VARIABLE zm_symbols
    ERROR_VARIABLE zm_errors)
if(NOT zm_exit EQUAL 0)
    message(FATAL_ERROR "${NM} -C ${PROGRAM} failed (${zm_exit}): ${zm_errors}")
endif()
string(REGEX MATCHALL "[^\n]*Zarimark::[^\n]*" zm_found "${zm_symbols}")
list(LENGTH zm_found zm_count)
if(zm_count GREATER 0)
    list(SUBLIST zm_found 0 20 zm_shown)
    string(REPLACE ";" "\n" zm_shown "${zm_shown}")
    message(FATAL_ERROR "${PROGRAM} holds ${zm_count} symbols of the add-on's namespace Zarimark::, e.g.\n${zm_shown}")
endif()
