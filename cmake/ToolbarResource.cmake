# Toolbar resources (type 241): windres has no statement for them, so each is written from a
# readable description into a small resource script of its own, compiled into the target.
#
# A description names the headers that define its command names (paths from the source root),
# the image size, and then the items in order, one a line; '#' starts a comment. A button names
# its command as a header defines it ("#define NAME value"), or by number:
#     headers app/resource.h framework/include/afxres.h
#     image 16 15
#     button ID_SYSTEM_ADD
#     separator
#
# lumiter_toolbar_resource(<target> <resource id> <description file>)
function(lumiter_toolbar_resource target id description)
    get_filename_component(description ${description} ABSOLUTE)
    get_filename_component(stem ${description} NAME_WE)
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${stem}_toolbar.rc)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${description})
    file(STRINGS ${description} header_lines REGEX "^headers[ \t]")
    set(headers "")
    foreach(line IN LISTS header_lines)
        separate_arguments(fields UNIX_COMMAND "${line}")
        list(POP_FRONT fields)
        list(TRANSFORM fields PREPEND ${CMAKE_SOURCE_DIR}/)
        list(APPEND headers ${fields})
    endforeach()
    add_custom_command(OUTPUT ${script}
        COMMAND ${CMAKE_COMMAND} -DTOOLBAR_ID=${id} -DTOOLBAR_IN=${description} -DTOOLBAR_OUT=${script}
                -DTOOLBAR_ROOT=${CMAKE_SOURCE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/ToolbarResource.cmake
        DEPENDS ${description} ${headers} ${CMAKE_SOURCE_DIR}/cmake/ToolbarResource.cmake
        COMMENT "Toolbar resource ${id} from ${stem}"
        VERBATIM)
    target_sources(${target} PRIVATE ${script})
endfunction()

# Script mode: writes the resource script.
if(CMAKE_SCRIPT_MODE_FILE AND DEFINED TOOLBAR_IN)
    cmake_policy(VERSION 3.25)
    file(STRINGS ${TOOLBAR_IN} lines)
    set(words "")
    set(count 0)
    unset(image)
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "#.*" "" line "${line}")
        string(STRIP "${line}" line)
        if(line STREQUAL "")
            continue()
        endif()
        separate_arguments(fields UNIX_COMMAND "${line}")
        list(GET fields 0 keyword)
        list(LENGTH fields nfields)
        if(keyword STREQUAL "headers" AND nfields GREATER 1)
            list(SUBLIST fields 1 -1 headers)
            foreach(header IN LISTS headers)
                file(STRINGS ${TOOLBAR_ROOT}/${header} defines
                     REGEX "^#define[ \t]+[A-Za-z_][A-Za-z0-9_]*[ \t]+(0x[0-9A-Fa-f]+|[0-9]+)[ \t]*$")
                foreach(define IN LISTS defines)
                    string(REGEX MATCH "^#define[ \t]+([A-Za-z_][A-Za-z0-9_]*)[ \t]+([0-9A-Fa-fx]+)" unused "${define}")
                    if(NOT DEFINED "id_${CMAKE_MATCH_1}")
                        set("id_${CMAKE_MATCH_1}" ${CMAKE_MATCH_2})
                    endif()
                endforeach()
            endforeach()
        elseif(keyword STREQUAL "image" AND nfields EQUAL 3)
            list(GET fields 1 cx)
            list(GET fields 2 cy)
            set(image "${cx}, ${cy}")
        elseif(keyword STREQUAL "button" AND nfields EQUAL 2)
            list(GET fields 1 command)
            if(command MATCHES "^[A-Za-z_]")
                if(NOT DEFINED "id_${command}")
                    message(FATAL_ERROR "${TOOLBAR_IN}: no header names the command: ${line}")
                endif()
                set(command "${id_${command}}")
            endif()
            if(NOT command MATCHES "^(0x[0-9A-Fa-f]+|[0-9]+)$" OR command STREQUAL "0" OR command STREQUAL "0x0")
                message(FATAL_ERROR "${TOOLBAR_IN}: not a command id: ${line}")
            endif()
            list(APPEND words ${command})
            math(EXPR count "${count} + 1")
        elseif(keyword STREQUAL "separator" AND nfields EQUAL 1)
            list(APPEND words 0)
            math(EXPR count "${count} + 1")
        else()
            message(FATAL_ERROR "${TOOLBAR_IN}: cannot read: ${line}")
        endif()
    endforeach()
    if(NOT DEFINED image)
        message(FATAL_ERROR "${TOOLBAR_IN}: no image size")
    endif()
    list(JOIN words ", " items)
    if(count GREATER 0)
        set(items ", ${items}")
    endif()
    # Version 1, image width and height, item count, the items.
    file(WRITE ${TOOLBAR_OUT} "// Written from ${TOOLBAR_IN}\n${TOOLBAR_ID} 241\nBEGIN\n    1, ${image}, ${count}${items}\nEND\n")
endif()
