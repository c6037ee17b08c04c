# Installs the built library into a private prefix, then configures and builds
# the examples against it with find_package(Tessaron) and runs each of them
# for a few timer ticks (offscreen).
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples -B ${WORK_DIR}/build
  -G ${GENERATOR} -DCMAKE_PREFIX_PATH=${prefix} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "configuring the examples failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/build RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "building the examples failed: ${rc}")
endif()
foreach(example panel spectrum filter)
  execute_process(COMMAND ${WORK_DIR}/build/tessaron-${example} --ticks 5
      --picture ${WORK_DIR}/${example}.png
    RESULT_VARIABLE rc TIMEOUT 120)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the ${example} example failed: ${rc}")
  endif()
  if(NOT EXISTS ${WORK_DIR}/${example}.png)
    message(FATAL_ERROR "the ${example} example saved no picture")
  endif()
endforeach()
