# GoogleTest is built from the Debian sources with the cross compiler; every test executable
# is one CTest test and runs under Wine.
enable_testing()
set(CMAKE_CROSSCOMPILING_EMULATOR wine CACHE STRING "Runs Windows executables")

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# lumiter_test(<name> <sources...> LIBS <libraries...> [SERIAL <gtest filter>])
# The tests that SERIAL names run as a CTest test of their own while no other runs: the shell's
# folder browser, for one, refreshes its tree when other programs change files.
function(lumiter_test name)
    cmake_parse_arguments(T "" "SERIAL" "LIBS" ${ARGN})
    add_executable(${name} ${T_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE ${T_LIBS} testing testing_main)
    if(T_SERIAL)
        add_test(NAME ${name} COMMAND ${name} --gtest_filter=-${T_SERIAL})
        add_test(NAME ${name}_serial COMMAND ${name} --gtest_filter=${T_SERIAL})
        set_tests_properties(${name}_serial PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE)
    else()
        add_test(NAME ${name} COMMAND ${name})
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
