# Host build: the portable core under the sanitizers, for fast unit tests,
# or, in a tree of its own built by clang, for the fuzz programs.
if(QUORBEL_FUZZ)
    add_subdirectory(tests/fuzz)
    return()
endif()

find_package(GTest REQUIRED)

set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(quorbel_core PRIVATE ${SANITIZE})

add_subdirectory(tests/native)
