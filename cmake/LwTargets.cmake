# lw_test(<name> SOURCES ... LIBS ...)
# One GoogleTest executable, registered with ctest as one test. Under the win64 preset ctest
# runs it through CMAKE_CROSSCOMPILING_EMULATOR (the Wine wrapper).
# Tests read LW_SOURCE_DIR and LW_TESTDATA_MAPS (Unix paths; under Wine prefix them with Z:).
function(lw_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
    if(WIN32)
        # Keep the runner a console program so ctest sees its output.
        target_link_options(${name} PRIVATE -mconsole)
    endif()
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "LW_SOURCE_DIR=${PROJECT_SOURCE_DIR};LW_TESTDATA_MAPS=${LW_TESTDATA_MAPS}")
endfunction()
