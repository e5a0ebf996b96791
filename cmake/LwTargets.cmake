include(GoogleTest)

# lw_test(<name> [DESKTOP] SOURCES ... LIBS ... [TIMEOUT <seconds>])
# One GoogleTest executable; each of its tests is a ctest entry of its own, named
# <name>.<suite>.<test>, with a time limit of its own (default 300 s), so a failure or a hang
# names one test. DESKTOP tests show windows and take the focus: each takes one of the test
# desktops scripts/wine-session.sh starts (the resource "desktops" of the file it writes for
# ctest), so no two share a desktop while several desktops serve tests at once. Under the win64
# preset the listing and the tests run through CMAKE_CROSSCOMPILING_EMULATOR (the Wine wrapper);
# the listing waits for ctest, so building never starts Wine.
function(lw_test name)
    cmake_parse_arguments(T "DESKTOP" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set(properties TIMEOUT ${T_TIMEOUT})
    if(T_DESKTOP)
        # Started before the tests without windows (ctest's order until it has timed a run),
        # which fill the job slots the desktops leave free.
        list(APPEND properties RESOURCE_GROUPS desktops:1 COST 1)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} lw_testsupport GTest::gtest GTest::gtest_main)
    if(WIN32)
        # The test code itself gains nothing from -O3 but compiles a third faster without it;
        # the libraries it tests keep the build's own optimisation.
        target_compile_options(${name} PRIVATE -O1)
        # Keep the runner a console program so ctest sees its output.
        target_link_options(${name} PRIVATE -mconsole)
    endif()
    gtest_discover_tests(${name}
        TEST_PREFIX "${name}."
        EXTRA_ARGS --gtest_brief=1
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 120
        PROPERTIES ${properties})
endfunction()
