# Installs the build into a fresh prefix and checks the udev rule: under lib/udev/rules.d of the
# prefix (udev reads nothing from the architecture's library folder), granting access through the
# uaccess tag to both products and never through a mode.
# Arguments: -DBUILD_DIR=... -DPREFIX=...
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${installed}")
endif()
file(GLOB_RECURSE rules RELATIVE "${PREFIX}" "${PREFIX}/*.rules")
if(NOT rules STREQUAL "lib/udev/rules.d/70-ostrel-mouse.rules")
    message(FATAL_ERROR "rule files installed: '${rules}'")
endif()
file(STRINGS "${PREFIX}/${rules}" lines REGEX "^[^#]")
foreach(product 5B2E 5B2F)
    set(found FALSE)
    foreach(line IN LISTS lines)
        if(line MATCHES "SUBSYSTEM==\"hidraw\"" AND line MATCHES ":248A:${product}\\." AND
           line MATCHES "TAG\\+=\"uaccess\"")
            set(found TRUE)
        endif()
        if(line MATCHES "MODE")
            message(FATAL_ERROR "a rule sets a mode: ${line}")
        endif()
    endforeach()
    if(NOT found)
        message(FATAL_ERROR "no uaccess rule for 248A:${product}")
    endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
