# Target build: the Windows program and the test suites that run under Wine.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)

# GoogleTest from the sources Debian ships, built with the cross compiler.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The parts of the core that talk to Windows.
add_library(quorbel_win STATIC
    core/uRegistry.cpp
    core/uSettings.cpp
    core/uTools.cpp)
target_link_libraries(quorbel_win PUBLIC quorbel_core advapi32 shell32)

# The form-and-control layer and the windows built on it.
add_library(quorbel_forms STATIC
    framework/Controls.cpp
    framework/Design.cpp
    framework/Forms.cpp
    framework/Gdi.cpp
    forms/ufrmQuorbel.cpp)
target_link_libraries(quorbel_forms PUBLIC quorbel_win user32 gdi32 ole32)

add_executable(Quorbel WIN32 core/Quorbel.cpp)
set_target_properties(Quorbel PROPERTIES SUFFIX ".scr"
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_link_libraries(Quorbel PRIVATE quorbel_forms)
target_link_options(Quorbel PRIVATE -s)

# libjpeg, cross-built once from Debian's source package, decodes the
# pictures the windows show.
include(${CMAKE_CURRENT_LIST_DIR}/libjpeg.cmake)
add_library(quorbel_jpeg STATIC framework/JpegImage.cpp)
target_link_libraries(quorbel_jpeg PUBLIC quorbel_core jpeg_static gdi32)

add_subdirectory(tests/win32)
