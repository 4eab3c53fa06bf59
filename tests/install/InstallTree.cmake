# cmake -D BUILD_DIR=<build> -D ROOT=<dir> -D PREFIX=<dir>/usr -P InstallTree.cmake
# Installs the build into a fresh tree, so that files left by an earlier run cannot hide
# a file the install rules no longer put in place.
file(REMOVE_RECURSE ${ROOT})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install ${BUILD_DIR} failed: ${result}")
endif()
