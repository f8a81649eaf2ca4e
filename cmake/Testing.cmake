# GoogleTest is built from the Debian sources with the cross compiler; every test executable
# is one CTest test and runs under Wine.
enable_testing()
set(CMAKE_CROSSCOMPILING_EMULATOR wine CACHE STRING "Runs Windows executables")

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# lumiter_test(<name> <sources...> LIBS <libraries...> [ALONE] [SERIAL <gtest filter>]
#              [OWN_PREFIX <gtest filter>])
# The tests that SERIAL names run as a CTest test of their own while no other runs: the shell's
# folder browser, for one, refreshes its tree when other programs change files, and a menu's
# tracking ends when another program takes the activation. ALONE runs the
# whole program so: the application's tests drive its windows through modal loops and timed
# sessions, which test programs beside them would slow down and take the foreground from.
# The tests that OWN_PREFIX names change what every program of a Wine server shares (the system
# colours, the user's date and time formats): they run as a CTest test of their own in a Wine
# prefix and server of their own.
function(lumiter_test name)
    cmake_parse_arguments(T "ALONE" "SERIAL;OWN_PREFIX" "LIBS" ${ARGN})
    add_executable(${name} ${T_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE ${T_LIBS} testing testing_main)
    set(elsewhere ${T_SERIAL} ${T_OWN_PREFIX})
    if(elsewhere)
        string(JOIN ":" elsewhere ${elsewhere})
        add_test(NAME ${name} COMMAND ${name} --gtest_filter=-${elsewhere})
    else()
        add_test(NAME ${name} COMMAND ${name})
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT 600 RUN_SERIAL ${T_ALONE})
    if(T_SERIAL)
        add_test(NAME ${name}_serial COMMAND ${name} --gtest_filter=${T_SERIAL})
        set_tests_properties(${name}_serial PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE)
    endif()
    if(T_OWN_PREFIX)
        add_test(NAME ${name}_own_prefix
                 COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-own-prefix ${CMAKE_BINARY_DIR} ${name}
                         wine $<TARGET_FILE:${name}> --gtest_filter=${T_OWN_PREFIX})
        set_tests_properties(${name}_own_prefix PROPERTIES TIMEOUT 600)
    endif()
endfunction()

# lumiter_archive_check(<test>): the archives the test writes into its check directory
# (ZIP_CHECK_DIR, emptied before it runs) are then checked with unzip, 7-Zip and Python's zipfile.
function(lumiter_archive_check name)
    set(check_dir ${CMAKE_CURRENT_BINARY_DIR}/archives)
    add_test(NAME ${name}_archives_clean COMMAND ${CMAKE_COMMAND} -E rm -rf ${check_dir})
    set_tests_properties(${name}_archives_clean PROPERTIES FIXTURES_SETUP ${name}_archives_clean)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "ZIP_CHECK_DIR=Z:${check_dir}" FIXTURES_SETUP ${name}_archives
                                            FIXTURES_REQUIRED ${name}_archives_clean)
    add_test(NAME ${name}_archives_check COMMAND python3 ${PROJECT_SOURCE_DIR}/testing/check_archives.py ${check_dir})
    set_tests_properties(${name}_archives_check PROPERTIES FIXTURES_REQUIRED ${name}_archives TIMEOUT 600)
endfunction()

# lumiter_image_check(<test>): before the test, make_images.py writes image files of other
# programs into its check directory (IMAGE_CHECK_DIR); after it, check_images.py reads the
# files the test saved there with ImageMagick, PIL and the JPEG library's own tools.
find_program(LUMITER_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
function(lumiter_image_check name)
    set(check_dir ${CMAKE_CURRENT_BINARY_DIR}/images)
    add_test(NAME ${name}_images_make
             COMMAND ${LUMITER_SYSTEM_PYTHON} ${PROJECT_SOURCE_DIR}/testing/make_images.py ${check_dir})
    set_tests_properties(${name}_images_make PROPERTIES FIXTURES_SETUP ${name}_images_make)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "IMAGE_CHECK_DIR=Z:${check_dir}" FIXTURES_SETUP ${name}_images
                                            FIXTURES_REQUIRED ${name}_images_make)
    add_test(NAME ${name}_images_check COMMAND ${LUMITER_SYSTEM_PYTHON} ${PROJECT_SOURCE_DIR}/testing/check_images.py
             ${check_dir} ${LUMITER_DEPS_CACHE}/libjpeg-turbo/bin)
    set_tests_properties(${name}_images_check PROPERTIES FIXTURES_REQUIRED ${name}_images TIMEOUT 600)
endfunction()

# lumiter_checked_files(<test> <kind> <variable> <script>): the files the test writes into its
# check directory (named by the environment variable, emptied before it runs) are checked by the
# script afterwards.
function(lumiter_checked_files name kind variable script)
    set(check_dir ${CMAKE_CURRENT_BINARY_DIR}/${kind})
    add_test(NAME ${name}_${kind}_clean COMMAND ${CMAKE_COMMAND} -E rm -rf ${check_dir})
    set_tests_properties(${name}_${kind}_clean PROPERTIES FIXTURES_SETUP ${name}_${kind}_clean)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${variable}=Z:${check_dir}" FIXTURES_SETUP ${name}_${kind}
                                            FIXTURES_REQUIRED ${name}_${kind}_clean)
    add_test(NAME ${name}_${kind}_check COMMAND ${LUMITER_SYSTEM_PYTHON} ${PROJECT_SOURCE_DIR}/testing/${script}
             ${check_dir})
    set_tests_properties(${name}_${kind}_check PROPERTIES FIXTURES_REQUIRED ${name}_${kind} TIMEOUT 600)
endfunction()

# lumiter_print_check(<test>): the PostScript files the test prints are rendered by Ghostscript,
# and each page's text is compared with what the ".check" file beside the file expects.
function(lumiter_print_check name)
    lumiter_checked_files(${name} prints PRINT_CHECK_DIR check_prints.py)
endfunction()

# lumiter_rtf_check(<test>): the rich text files the test writes are read by unrtf, and each one's
# HTML form is matched against the regular expressions of the ".check" file beside it.
function(lumiter_rtf_check name)
    lumiter_checked_files(${name} rtf RTF_CHECK_DIR check_rtf.py)
endfunction()
