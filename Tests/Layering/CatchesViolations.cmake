# Runs the layering check on a scratch tree and graph: it must pass on a sound one and name each
# fault planted in a broken one. Arguments: CHECK_SCRIPT, SCRATCH (a folder it may wipe).
cmake_minimum_required(VERSION 3.20)

function(run_check root graph check out_result out_output)
    execute_process(COMMAND ${CMAKE_COMMAND} -DCHECK=${check} -DSOURCE_ROOT=${root} -DGRAPH_FILE=${graph}
                            -P ${CHECK_SCRIPT}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    set(${out_result} ${result} PARENT_SCOPE)
    set(${out_output} "${output}" PARENT_SCOPE)
endfunction()

set(failures "")

function(expect_pass root graph check)
    run_check(${root} ${graph} ${check} result output)
    if(NOT result EQUAL 0)
        set(failures "${failures}\n${check} failed on the sound tree:\n${output}" PARENT_SCOPE)
    endif()
endfunction()

function(expect_fail root graph check)
    run_check(${root} ${graph} ${check} result output)
    if(result EQUAL 0)
        set(failures "${failures}\n${check} passed the broken tree" PARENT_SCOPE)
        return()
    endif()
    foreach(needle IN LISTS ARGN)
        string(FIND "${output}" "${needle}" at)
        if(at EQUAL -1)
            set(failures "${failures}\n${check} did not report '${needle}':\n${output}" PARENT_SCOPE)
            return()
        endif()
    endforeach()
endfunction()

file(REMOVE_RECURSE ${SCRATCH})
set(sound ${SCRATCH}/sound)
file(WRITE ${sound}/Sources/Formats/Bytes.hpp "#include <cstdint>\n#include \"Formats/Utf.hpp\"\n")
file(WRITE ${sound}/Sources/Formats/Utf.hpp "#include <string>\n")
file(WRITE ${sound}/Sources/Formats/Bytes.cpp "#include \"Formats/Bytes.hpp\"\n")
file(WRITE ${sound}/Sources/Platform/GSRoot/Guid.hpp "#include \"Formats/Bytes.hpp\"\n")
file(WRITE ${sound}/Sources/Platform/GSRoot/Guid.cpp "#include \"GSRoot/Guid.hpp\"\n#include <dlfcn.h>\n")
file(WRITE ${sound}/Sources/Host/Records.hpp "#include \"GSRoot/Guid.hpp\"\n")
file(WRITE ${sound}/Sources/AddOnResources/ResourceIds.hpp "#define ZM_ID 1\n")
file(WRITE ${sound}/Sources/AddOn/Main.cpp
     "#include \"Host/Records.hpp\"\n#include \"ResourceIds.hpp\"\n#include \"Local.hpp\"\n")
file(WRITE ${sound}/Sources/AddOn/Local.hpp "\n")
file(WRITE ${sound}/Sources/HeadlessHost/Host.cpp "#include \"Formats/Bytes.hpp\"\n#include \"Host/Records.hpp\"\n")
file(WRITE ${sound}/Sources/Tools/Cli.cpp "#include \"HeadlessHost/Host.cpp\"\n#include <gtest/gtest.h>\n")
file(WRITE ${sound}/graph.txt
     "link|ZarimarkPlatform|Platform|ZarimarkFormats|Formats\n"
     "link|Zarimark|AddOn|dl|EXTERNAL\n"
     "link|ZarimarkCli|Tools|CLI11::CLI11|EXTERNAL\n"
     "link|ZarimarkCli|Tools|ZarimarkHeadlessHost|HeadlessHost\n"
     "source|Sources/Formats/Bytes.cpp|ZarimarkFormats\n"
     "source|Sources/Platform/GSRoot/Guid.cpp|ZarimarkPlatform\n"
     "source|Sources/AddOn/Main.cpp|ZarimarkAddOnObjects\n"
     "source|Sources/HeadlessHost/Host.cpp|ZarimarkHeadlessHost\n"
     "source|Sources/Tools/Cli.cpp|ZarimarkCli\n"
     "objects|ZarimarkAddOnObjects|Zarimark\n")
foreach(check IN ITEMS includes links sources)
    expect_pass(${sound} ${sound}/graph.txt ${check})
endforeach()

set(broken ${SCRATCH}/broken)
file(COPY ${sound}/ DESTINATION ${broken})
file(APPEND ${broken}/Sources/Formats/Utf.hpp "#include \"GSRoot/Guid.hpp\"\n#include <gtest/gtest.h>\n")
file(APPEND ${broken}/Sources/Platform/GSRoot/Guid.hpp "#include \"Host/Records.hpp\"\n")
file(APPEND ${broken}/Sources/Host/Records.hpp "  #  include \"Tools/Cli.cpp\"\n")
file(APPEND ${broken}/Sources/AddOn/Main.cpp "#include \"Formats/Bytes.hpp\"\n#include \"Gone.hpp\"\n")
file(APPEND ${broken}/Sources/HeadlessHost/Host.cpp "#include \"ResourceIds.hpp\"\n")
file(APPEND ${broken}/Sources/Tools/Cli.cpp "#include \"AddOn/Local.hpp\"\n")
file(APPEND ${broken}/graph.txt
     "link|ZarimarkPlatform|Platform|ZarimarkHostApi|Host\n"
     "link|ZarimarkFormats|Formats|pugixml::pugixml|EXTERNAL\n"
     "link|ZarimarkHeadlessHost|HeadlessHost|ZarimarkCli|Tools\n"
     "link|ZarimarkRunner|Tools|ZarimarkAddOnObjects|AddOn\n"
     "source|Sources/AddOn/Main.cpp|ZarimarkRunner\n"
     "objects|ZarimarkAddOnObjects|ZarimarkRunner\n")
file(WRITE ${broken}/Sources/Platform/GSRoot/Orphan.cpp "\n")
expect_fail(${broken} ${broken}/graph.txt includes
    "Sources/Formats/Utf.hpp (Formats) includes Sources/Platform/GSRoot/Guid.hpp (Platform)"
    "<gtest/gtest.h> is not a standard library header"
    "Sources/Platform/GSRoot/Guid.hpp (Platform) includes Sources/Host/Records.hpp (Host)"
    "Sources/Host/Records.hpp (Host) includes Sources/Tools/Cli.cpp (Tools)"
    "Sources/AddOn/Main.cpp (AddOn) includes Sources/Formats/Bytes.hpp (Formats)"
    "\"Gone.hpp\" is no file of the repository"
    "Sources/HeadlessHost/Host.cpp (HeadlessHost) includes Sources/AddOnResources/ResourceIds.hpp"
    "Sources/Tools/Cli.cpp (Tools) includes Sources/AddOn/Local.hpp (AddOn)"
    "8 layering violation(s)")
expect_fail(${broken} ${broken}/graph.txt links
    "ZarimarkPlatform (Platform) links ZarimarkHostApi (Host)"
    "ZarimarkFormats (Formats) links pugixml::pugixml, a library from outside"
    "ZarimarkHeadlessHost (HeadlessHost) links ZarimarkCli (Tools)"
    "ZarimarkRunner (Tools) links ZarimarkAddOnObjects (AddOn)"
    "4 layering violation(s)")
expect_fail(${broken} ${broken}/graph.txt sources
    "Sources/AddOn/Main.cpp belongs to ZarimarkAddOnObjects and to ZarimarkRunner"
    "the objects of ZarimarkAddOnObjects are in Zarimark and in ZarimarkRunner"
    "Sources/Platform/GSRoot/Orphan.cpp belongs to no target"
    "3 layering violation(s)")
file(WRITE ${broken}/empty.txt "")
expect_fail(${broken} ${broken}/empty.txt links "holds no edges")

if(NOT failures STREQUAL "")
    message(FATAL_ERROR "the layering check misjudged a tree:${failures}")
endif()
message(STATUS "the layering check passes a sound tree and names every planted fault")
