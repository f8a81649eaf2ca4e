# lumiter_split_debug(<target>): the executable's debug information goes to a file beside it,
# found through a debug link. Under Wine the sections of an image are read into memory at start,
# so debug information left inside would cost every start its reading and count as memory.
function(lumiter_split_debug target)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
        COMMAND ${CMAKE_OBJCOPY} --strip-debug --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug
                $<TARGET_FILE:${target}>
        VERBATIM)
endfunction()
