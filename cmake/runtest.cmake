# Runs one test program (cmake -P, called by CTest) in an empty working folder of its own, with
# HOME and the XDG folders inside its run folder, so that no test reaches the user's own files.
# The test fails when the program fails or leaves anything in its working folder: tests write
# only into their own temporary folders.
#   -DPROGRAM=<path> -DRUN_DIR=<folder, emptied first> -DTIMEOUT=<seconds> -DARGS=<a;b;...>
file(REMOVE_RECURSE "${RUN_DIR}")
file(MAKE_DIRECTORY "${RUN_DIR}/work" "${RUN_DIR}/home")
set(ENV{HOME} "${RUN_DIR}/home")
set(ENV{XDG_CONFIG_HOME} "${RUN_DIR}/home/.config")
set(ENV{XDG_DATA_HOME} "${RUN_DIR}/home/.local/share")
set(ENV{XDG_STATE_HOME} "${RUN_DIR}/home/.local/state")
set(ENV{XDG_CACHE_HOME} "${RUN_DIR}/home/.cache")
execute_process(COMMAND "${PROGRAM}" ${ARGS}
                WORKING_DIRECTORY "${RUN_DIR}/work"
                TIMEOUT ${TIMEOUT}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} failed: ${result}")
endif()
file(GLOB_RECURSE left LIST_DIRECTORIES true RELATIVE "${RUN_DIR}/work" "${RUN_DIR}/work/*")
if(left)
  message(FATAL_ERROR "The test wrote into the folder it was started in (${RUN_DIR}/work): "
                      "${left}")
endif()
