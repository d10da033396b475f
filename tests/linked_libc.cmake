# Fails when a shared object does not name the C library among the libraries it needs (the
# NEEDED entries of its dynamic section): Debian's policy asks every library to be linked with
# all it uses, and a module's destructors use libc's __cxa_finalize when it is unloaded.
#
#   cmake -DREADELF=/usr/bin/readelf -P linked_libc.cmake FILE...
if(NOT READELF)
    set(READELF readelf)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/script_arguments.cmake)
script_arguments(files)
if(NOT files)
    message(FATAL_ERROR "linked_libc.cmake: no files given")
endif()

foreach(file IN LISTS files)
    execute_process(COMMAND "${READELF}" -d "${file}" OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(SEND_ERROR "${file}: readelf -d failed")
    elseif(NOT dynamic MATCHES "\\(NEEDED\\)[^\n]*\\[libc\\.so\\.[0-9]+\\]")
        message(SEND_ERROR "${file} is not linked with the C library (no NEEDED libc.so)")
    endif()
endforeach()
