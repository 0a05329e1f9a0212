# marlo_add_test(name program [args...]): one CTest test, run offscreen in a folder of its own
# by runtest.cmake, which fails it when it writes into its working folder.
set(MARLO_TEST_TIMEOUT 300)
function(marlo_add_test name program)
  add_test(NAME ${name}
           COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}>
                   -DRUN_DIR=${CMAKE_BINARY_DIR}/tests/run/${name}
                   -DTIMEOUT=${MARLO_TEST_TIMEOUT} "-DARGS=${ARGN}"
                   -P ${PROJECT_SOURCE_DIR}/cmake/runtest.cmake)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=qt.qpa.*=false"
    TIMEOUT ${MARLO_TEST_TIMEOUT})
endfunction()
