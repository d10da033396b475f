# Fails when the RUNPATH or RPATH of an ELF file has an empty or relative entry: the loader
# takes such an entry from the current directory, so a library in whatever folder the program
# is started from would be loaded instead of the right one. $ORIGIN entries are relative to the
# file itself and pass.
#
#   cmake -DREADELF=/usr/bin/readelf -P runpaths.cmake FILE...
if(NOT READELF)
    set(READELF readelf)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/script_arguments.cmake)
script_arguments(files)
if(NOT files)
    message(FATAL_ERROR "runpaths.cmake: no files given")
endif()

set(bad 0)
foreach(file IN LISTS files)
    execute_process(COMMAND "${READELF}" -d "${file}" OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(SEND_ERROR "${file}: readelf -d failed")
        math(EXPR bad "${bad} + 1")
        continue()
    endif()
    string(REGEX MATCHALL "\\((RUNPATH|RPATH)\\)[^\n]*\\[[^]\n]*\\]" entries "${dynamic}")
    foreach(entry IN LISTS entries)
        string(REGEX REPLACE ".*\\[(.*)\\]" "\\1" path "${entry}")
        # Every entry, empty ones too: "a::b" and a leading or trailing ":" name the current directory.
        string(REGEX MATCHALL "[^:]*:" parts "${path}:")
        foreach(part IN LISTS parts)
            string(REGEX REPLACE ":$" "" part "${part}")
            if(NOT part MATCHES "^(/|\\$ORIGIN|\\$\\{ORIGIN\\})")
                message(SEND_ERROR "${file}: search path [${path}] has the entry \"${part}\", taken from the current directory")
                math(EXPR bad "${bad} + 1")
                break()
            endif()
        endforeach()
    endforeach()
endforeach()
list(LENGTH files count)
if(bad EQUAL 0)
    message(STATUS "${count} files: no empty or relative library search path")
endif()
