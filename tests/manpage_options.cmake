# Fails when a manual page leaves out an option that the program's --help lists: every option
# must head an entry of its own (.TP, then a .B or .BR line naming it as \-\-name or \-x) in each
# page given.
#
#   cmake -DPROGRAM=path/to/Numbolo -P manpage_options.cmake PAGE...
include(${CMAKE_CURRENT_LIST_DIR}/script_arguments.cmake)
script_arguments(pages)
if(NOT PROGRAM OR NOT pages)
    message(FATAL_ERROR "manpage_options.cmake: -DPROGRAM=... and at least one page are needed")
endif()

execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help ended with ${status}")
endif()
# The option lines of Qt's help: "  -h, --help   text" or "  --progress   text".
string(REGEX MATCHALL "\n +-[^ ,\n]+(, --[^ \n]+)?" lines "${help}")
set(options)
foreach(line IN LISTS lines)
    string(REGEX MATCHALL "-+[A-Za-z0-9][A-Za-z0-9-]*" names "${line}")
    list(APPEND options ${names})
endforeach()
if(NOT options)
    message(FATAL_ERROR "no options found in the output of ${PROGRAM} --help:\n${help}")
endif()

set(bad 0)
foreach(page IN LISTS pages)
    file(READ "${page}" text)
    foreach(option IN LISTS options)
        string(REPLACE "-" "\\\\-" roff "${option}")
        if(NOT text MATCHES "\n\\.TP\n\\.BR? [^\n]*${roff}([^A-Za-z0-9\\]|\n)")
            string(REPLACE "\\\\" "\\" roff "${roff}")
            message(SEND_ERROR "${page} has no entry (.TP, then .B ${roff}) for ${option}")
            math(EXPR bad "${bad} + 1")
        endif()
    endforeach()
endforeach()
if(bad EQUAL 0)
    list(JOIN options " " listed)
    message(STATUS "every page names ${listed}")
endif()
