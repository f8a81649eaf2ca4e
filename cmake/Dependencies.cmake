# zlib comes from the mingw-w64 package; bzip2 and libjpeg-turbo are cross-built by scripts/setup
# into a cache outside the checkout, which scripts/build passes in.
set(LUMITER_DEPS_CACHE "" CACHE PATH "Cache of the cross-built dependencies (made by scripts/setup)")

set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)

function(lumiter_cached_library target package library)
    set(prefix "${LUMITER_DEPS_CACHE}/${package}")
    if(NOT EXISTS "${prefix}/lib/${library}")
        message(FATAL_ERROR "${package} is not built in '${LUMITER_DEPS_CACHE}': run scripts/setup")
    endif()
    add_library(${target} STATIC IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES
        IMPORTED_LOCATION "${prefix}/lib/${library}"
        INTERFACE_INCLUDE_DIRECTORIES "${prefix}/include")
endfunction()

lumiter_cached_library(BZip2::BZip2 bzip2 libbz2.a)
lumiter_cached_library(JPEG::JPEG libjpeg-turbo libjpeg.a)
