# The JPEG decoder for the About picture: libjpeg-turbo from Debian's source
# package, cross-built once into the build tree at configure time and kept
# there, so that neither a reconfigure nor a clean rebuilds it.
# Provides the imported target jpeg_static. QUORBEL_LIBJPEG_ARGS, when set,
# go to libjpeg-turbo's own configure (the fuzz tree's instrumentation).

set(QUORBEL_LIBJPEG_DIR ${CMAKE_BINARY_DIR}/libjpeg)
set(_jpeg_lib ${QUORBEL_LIBJPEG_DIR}/install/lib/libjpeg.a)

if(NOT EXISTS ${_jpeg_lib})
    if(NOT CMAKE_TOOLCHAIN_FILE)
        message(FATAL_ERROR "libjpeg is cross-built with this tree's toolchain file; none is set")
    endif()
    get_filename_component(_jpeg_toolchain ${CMAKE_TOOLCHAIN_FILE} ABSOLUTE
                           BASE_DIR ${CMAKE_BINARY_DIR})
    set(_jpeg_args)
    if(MINGW_ARCH)
        list(APPEND _jpeg_args -DMINGW_ARCH=${MINGW_ARCH})
    endif()
    if(CMAKE_BUILD_TYPE)
        list(APPEND _jpeg_args -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE})
    endif()
    list(APPEND _jpeg_args ${QUORBEL_LIBJPEG_ARGS})
    message(STATUS "Building libjpeg-turbo into ${QUORBEL_LIBJPEG_DIR}")
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env CMAKE=${CMAKE_COMMAND}
                bash ${CMAKE_CURRENT_LIST_DIR}/../tools/build-libjpeg.sh
                ${QUORBEL_LIBJPEG_DIR} ${_jpeg_toolchain} ${_jpeg_args}
        RESULT_VARIABLE _jpeg_result)
    if(NOT _jpeg_result EQUAL 0 OR NOT EXISTS ${_jpeg_lib})
        message(FATAL_ERROR "Building libjpeg-turbo failed (see the messages above)")
    endif()
endif()

add_library(jpeg_static STATIC IMPORTED GLOBAL)
set_target_properties(jpeg_static PROPERTIES
    IMPORTED_LOCATION ${_jpeg_lib}
    INTERFACE_INCLUDE_DIRECTORIES ${QUORBEL_LIBJPEG_DIR}/install/include)
