# The JPEG decoder for the About picture: libjpeg-turbo from Debian's source
# package, which `make deps` unpacks into third_party/ so that configuring
# fetches nothing and changes nothing outside the project.
# Provides the imported target jpeg_static. QUORBEL_LIBJPEG_C_FLAGS, when
# set, go to its compiler after ours (the fuzz tree's instrumentation); a
# change of them configures and builds it anew, and so does a source that
# `make deps` unpacked anew.

include(ExternalProject)

set(QUORBEL_LIBJPEG_SOURCE ${PROJECT_SOURCE_DIR}/third_party/libjpeg-turbo)
if(NOT EXISTS ${QUORBEL_LIBJPEG_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "The libjpeg-turbo source is missing from ${QUORBEL_LIBJPEG_SOURCE}: "
                        "run `make deps` first")
endif()
if(NOT CMAKE_TOOLCHAIN_FILE)
    message(FATAL_ERROR "libjpeg is built with this tree's toolchain file; none is set")
endif()
get_filename_component(_jpeg_toolchain ${CMAKE_TOOLCHAIN_FILE} ABSOLUTE
                       BASE_DIR ${CMAKE_BINARY_DIR})

set(_jpeg_dir ${CMAKE_BINARY_DIR}/libjpeg)
set(_jpeg_build ${_jpeg_dir}/build)
set(_jpeg_include ${_jpeg_dir}/include)
set(_jpeg_lib ${_jpeg_build}/libjpeg.a)

# SIMD stays off: it would need nasm, and the one small picture decodes in
# about a millisecond without it. The picture is baseline, so arithmetic
# decoding stays out. No build path goes into the objects.
set(_jpeg_flags "-ffunction-sections -fdata-sections -ffile-prefix-map=${QUORBEL_LIBJPEG_SOURCE}/= -ffile-prefix-map=${_jpeg_build}/=")
# In the program it reads no JPEGMEM variable, whose sscanf alone would add
# 15 KiB, and formats its messages with the system's printf, not MinGW's
# (20 KiB).
if(MINGW_ARCH)
    string(APPEND _jpeg_flags " -DNO_GETENV -D__USE_MINGW_ANSI_STDIO=0")
endif()
# On i686 it needs no unwind tables: no C++ exception passes through it and
# longjmp only restores registers. 64-bit Windows unwinds the stack for
# longjmp and wants the tables of every frame.
if(MINGW_ARCH STREQUAL "i686")
    string(APPEND _jpeg_flags " -fno-asynchronous-unwind-tables")
endif()
if(QUORBEL_LIBJPEG_C_FLAGS)
    string(APPEND _jpeg_flags " ${QUORBEL_LIBJPEG_C_FLAGS}")
endif()
set(_jpeg_args
    -Wno-dev
    -DCMAKE_TOOLCHAIN_FILE=${_jpeg_toolchain}
    # Nothing is installed, but its configure wants an absolute prefix.
    -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON
    -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF -DWITH_JAVA=OFF
    -DWITH_ARITH_DEC=OFF -DWITH_ARITH_ENC=OFF
    "-DCMAKE_C_FLAGS=${_jpeg_flags}")
if(MINGW_ARCH)
    list(APPEND _jpeg_args -DMINGW_ARCH=${MINGW_ARCH})
endif()
if(CMAKE_BUILD_TYPE)
    list(APPEND _jpeg_args -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE})
endif()

# Only the static library: the rest of the project (its programs, the
# TurboJPEG layer, the tests) is of no use here. Under make, the recursive
# call shares the outer build's job slots.
if(CMAKE_GENERATOR MATCHES "Makefiles")
    set(_jpeg_build_command $(MAKE) jpeg-static)
else()
    set(_jpeg_build_command ${CMAKE_COMMAND} --build <BINARY_DIR> --target jpeg-static)
endif()

# Built on every build: make in its tree is a no-op when nothing changed, and
# a source unpacked anew is picked up. The install step copies the public
# headers beside the generated jconfig.h, and only when they differ, so the
# decoder is recompiled only for a real change.
ExternalProject_Add(libjpeg
    SOURCE_DIR ${QUORBEL_LIBJPEG_SOURCE}
    PREFIX ${_jpeg_dir}
    BINARY_DIR ${_jpeg_build}
    CMAKE_ARGS ${_jpeg_args}
    BUILD_COMMAND ${_jpeg_build_command}
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${_jpeg_lib}
    INSTALL_COMMAND ${CMAKE_COMMAND} -E copy_if_different
        <SOURCE_DIR>/jpeglib.h <SOURCE_DIR>/jmorecfg.h <SOURCE_DIR>/jerror.h
        <BINARY_DIR>/jconfig.h ${_jpeg_include}
    LOG_CONFIGURE ON
    LOG_BUILD ON
    LOG_INSTALL ON
    LOG_OUTPUT_ON_FAILURE ON)
ExternalProject_Add_StepDependencies(libjpeg configure ${QUORBEL_LIBJPEG_SOURCE}/.patched)

# CMake wants an imported target's include folder to exist when it
# generates; the headers arrive at build time.
file(MAKE_DIRECTORY ${_jpeg_include})
add_library(jpeg_static STATIC IMPORTED GLOBAL)
set_target_properties(jpeg_static PROPERTIES
    IMPORTED_LOCATION ${_jpeg_lib}
    INTERFACE_INCLUDE_DIRECTORIES ${_jpeg_include})
# Whatever links jpeg_static is built after libjpeg, headers included.
add_dependencies(jpeg_static libjpeg)
