# Installs Tintwell from the build into a fresh prefix, then configures,
# builds and runs a small project that uses it through find_package.
foreach(var BUILD_DIR CONSUMER_DIR WORK_DIR GENERATOR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --component Tintwell --prefix ${prefix})
foreach(f include/tintwell/ctr_tintwell.h include/tintwell/color_converter.h include/tintwell/tintwell.h)
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "the install has no ${f}")
  endif()
endforeach()

run("configure" ${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/build -G ${GENERATOR}
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${prefix}
    # A sanitized library needs its runtime in the program that loads it.
    "-DCMAKE_EXE_LINKER_FLAGS=${CONSUMER_LINK_FLAGS}")
if(NOT out MATCHES "Tintwell found in ${prefix}/")
  message(FATAL_ERROR "find_package did not take the installed Tintwell:\n${out}")
endif()
run("build" ${CMAKE_COMMAND} --build ${WORK_DIR}/build -j2)
run("run" ${WORK_DIR}/build/consumer)

set(expected "c: 25700 255\ncpp: 255, 0, 0 FF0000\nshow: 65280\n")
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "the consumer printed\n${out}\ninstead of\n${expected}")
endif()
run("run without a display" ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
    ${WORK_DIR}/build/only_c)
if(NOT out STREQUAL "-1\n")
  message(FATAL_ERROR "without a display tintwell_show_color printed\n${out}\ninstead of -1")
endif()

message(STATUS "the consumer built against ${prefix} and ran")
