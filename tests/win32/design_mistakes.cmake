# cmake -DCXX=compiler -DSOURCE=design_mistakes.cpp -DINCLUDE=dir -DDEFINITIONS=list
#       -P design_mistakes.cmake
# Compiles the design once without a mistake and once with each; each
# mistake must fail with the message that names it.
set(reason_1 "btnOkay.? is not a member of")
set(reason_2 "has no member named .?glyph")
set(reason_3 "OnClick.? is not a member of .?TLabel")
set(reason_4 "only a container holds controls")
set(reason_5 "conflicting types for parameter .?F")
set(reason_6 "only a windowed control")
set(reason_7 "only a windowed control")
set(reason_8 "only a control has a place")
set(reason_9 "only a container holds controls")
set(reason_10 "OnMouseMove.? is not a member of .?TLabel")
set(reason_11 "only a container has a pointer of its own")
set(reason_12 "only a label names a control beside it")
set(reason_13 "a drawn control is no window that a screen reader could ask")

list(TRANSFORM DEFINITIONS PREPEND -D)
foreach(mistake RANGE 0 13)
    # In the compiler's own words, without the source lines it quotes.
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C LANGUAGE=
                ${CXX} -std=c++17 -fsyntax-only -fno-diagnostics-show-caret ${DEFINITIONS}
                -DMISTAKE=${mistake} -I${INCLUDE} ${SOURCE}
        RESULT_VARIABLE result ERROR_VARIABLE messages OUTPUT_QUIET)
    if(mistake EQUAL 0)
        if(NOT result EQUAL 0)
            message(SEND_ERROR "the design without a mistake does not compile:\n${messages}")
        endif()
    elseif(result EQUAL 0)
        message(SEND_ERROR "mistake ${mistake} compiles")
    elseif(NOT messages MATCHES "${reason_${mistake}}")
        message(SEND_ERROR "mistake ${mistake} fails for another reason:\n${messages}")
    else()
        message(STATUS "mistake ${mistake} does not compile: ${reason_${mistake}}")
    endif()
endforeach()
