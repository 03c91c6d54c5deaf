# Target build: the Windows program and the test suites that run under Wine.
# Every call that passes text to Windows is the wide one: with UNICODE, no
# ANSI function is linked by accident.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501
    UNICODE _UNICODE)
# The same commit gives the same bytes in any folder: no build path in the
# objects and no link time in the PE header.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/= -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
add_link_options(-Wl,--no-insert-timestamp)

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
target_link_libraries(quorbel_win PUBLIC quorbel_core advapi32)

# libjpeg, cross-built from Debian's source package in third_party/,
# decodes the pictures the windows show.
include(${CMAKE_CURRENT_LIST_DIR}/libjpeg.cmake)
add_library(quorbel_jpeg STATIC framework/JpegImage.cpp)
target_link_libraries(quorbel_jpeg PUBLIC quorbel_core jpeg_static gdi32)

# The version as users read it; QuorbelVersion.h carries it to the code.
set(QUORBEL_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
configure_file(${CMAKE_SOURCE_DIR}/resources/QuorbelVersion.h.in
    ${CMAKE_BINARY_DIR}/generated/QuorbelVersion.h @ONLY)

# The form-and-control layer and the windows built on it.
add_library(quorbel_forms STATIC
    framework/Accessible.cpp
    framework/Application.cpp
    framework/Buttons.cpp
    framework/Component.cpp
    framework/Container.cpp
    framework/Control.cpp
    framework/Design.cpp
    framework/Dispatch.cpp
    framework/Edits.cpp
    framework/Form.cpp
    framework/Gdi.cpp
    framework/Keyboard.cpp
    framework/Pickers.cpp
    framework/Pictures.cpp
    framework/StdControls.cpp
    framework/Timer.cpp
    framework/WinControl.cpp
    forms/ufrmAbout.cpp
    forms/ufrmQuorbel.cpp
    forms/ufrmSettings.cpp)
# uuid for the interface ids: oleacc's import library declares them as
# functions, and the program loads oleacc itself when it is asked.
target_link_libraries(quorbel_forms PUBLIC quorbel_win quorbel_jpeg user32 gdi32 ole32 comctl32 uuid)
target_include_directories(quorbel_forms PUBLIC ${CMAKE_BINARY_DIR}/generated)
# The C++ library's error paths, replaced: on the link line of every program
# that links the forms, as objects, not from an archive that the linker
# would only search for what is missing at that point.
add_library(quorbel_library_errors OBJECT framework/LibraryErrors.cpp)
target_include_directories(quorbel_library_errors PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(quorbel_forms INTERFACE $<TARGET_OBJECTS:quorbel_library_errors>)

# The program file's resources; test programs carry them too, so that the
# windows find their pictures and the themed controls.
enable_language(RC)
set(QUORBEL_RESOURCES
    ${CMAKE_SOURCE_DIR}/resources/Quorbel.rc
    ${CMAKE_SOURCE_DIR}/resources/Pictures.rc)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/resources -I${CMAKE_BINARY_DIR}/generated")
# CMake scans resource scripts only for #include; the files windres reads
# by name are dependencies all the same.
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/Quorbel.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/resources/Quorbel.ico;${CMAKE_SOURCE_DIR}/resources/Small.ico;${CMAKE_SOURCE_DIR}/resources/Quorbel.manifest")
file(GLOB QUORBEL_PICTURES ${CMAKE_SOURCE_DIR}/resources/*.bmp ${CMAKE_SOURCE_DIR}/resources/*.jpg)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/Pictures.rc PROPERTIES OBJECT_DEPENDS
    "${QUORBEL_PICTURES}")

add_executable(Quorbel WIN32 core/Quorbel.cpp ${QUORBEL_RESOURCES})
set_target_properties(Quorbel PROPERTIES SUFFIX ".scr"
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_link_libraries(Quorbel PRIVATE quorbel_forms)
target_link_options(Quorbel PRIVATE -s -municode)
# The header flags a Windows toolchain sets by default: relocatable (ASLR),
# no execution of data (DEP), aware of terminal-server sessions; 64-bit, the
# whole address space. The 32-bit file has no SafeSEH table (GNU ld makes
# none) and no handler frame (C++ unwinds by DWARF tables there, and the C
# runtime's handlers are a filter and a vectored one): it says so, and the
# system then runs no frame-based handler of it at all.
target_link_options(Quorbel PRIVATE -Wl,--dynamicbase -Wl,--nxcompat -Wl,--tsaware)
if(MINGW_ARCH STREQUAL "x86_64")
    target_link_options(Quorbel PRIVATE -Wl,--high-entropy-va)
else()
    target_link_options(Quorbel PRIVATE -Wl,--no-seh)
endif()
# GNU ld always marks the resource section writable; a Windows toolchain
# makes it read-only, so that nothing in the process can change them.
add_custom_command(TARGET Quorbel POST_BUILD
    COMMAND ${CMAKE_SOURCE_DIR}/cmake/readonly-resources.sh $<TARGET_FILE:Quorbel> VERBATIM)

# The setup, from the project's installer script: x86-unicode carries the
# shipped program, amd64-unicode the 64-bit twin that the suites run where
# the kernel runs no 32-bit code.
set(QUORBEL_SETUP ${CMAKE_BINARY_DIR}/Quorbel-${QUORBEL_VERSION}-setup.exe)
find_program(MAKENSIS makensis REQUIRED)
if(MINGW_ARCH STREQUAL "x86_64")
    set(_nsis_target amd64-unicode)
else()
    set(_nsis_target x86-unicode)
endif()
add_custom_command(OUTPUT ${QUORBEL_SETUP}
    COMMAND ${MAKENSIS} -V2 -WX -INPUTCHARSET UTF8 -DTARGET=${_nsis_target}
        -DVERSION=${QUORBEL_VERSION} -DVERSION_FULL=${PROJECT_VERSION} -DPROGRAM=$<TARGET_FILE:Quorbel> -DOUTFILE=${QUORBEL_SETUP}
        ${CMAKE_SOURCE_DIR}/installer/Quorbel.nsi
    DEPENDS Quorbel ${CMAKE_SOURCE_DIR}/installer/Quorbel.nsi ${CMAKE_SOURCE_DIR}/resources/Quorbel.ico
        ${CMAKE_SOURCE_DIR}/resources/setup.bmp
    VERBATIM)
add_custom_target(setup ALL DEPENDS ${QUORBEL_SETUP})
# Its one name, for the scripts: an older version's setup may still lie beside it.
file(WRITE ${CMAKE_BINARY_DIR}/setup-name "Quorbel-${QUORBEL_VERSION}-setup.exe\n")

add_subdirectory(tests/win32)
add_subdirectory(tests/faults)

# Benchmarks print figures and fail nothing; `make bench` runs them.
add_executable(preview_bench tests/bench/preview_bench.cpp ${QUORBEL_RESOURCES})
target_link_libraries(preview_bench PRIVATE quorbel_forms)
set_target_properties(preview_bench PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bench)
add_executable(floor WIN32 tests/bench/floor.cpp tests/bench/floor.rc)
target_link_libraries(floor PRIVATE user32 gdi32 advapi32 ole32 comctl32)
target_link_options(floor PRIVATE -s)
add_executable(starter tests/bench/starter.cpp)
set_target_properties(floor starter PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bench)
