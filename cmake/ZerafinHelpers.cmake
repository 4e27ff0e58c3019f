# Shared helpers for the subsystem CMake files.

# zf_test(<name> SOURCES ... LIBS ... [QT])
# A GoogleTest program registered with CTest. QT marks a window test: its
# main() (tests/support/qt_test_main.cpp) sets the offscreen platform and a
# private HOME before the QApplication exists.
function(zf_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QT)
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/qt_test_main.cpp)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} zf_testsupport Qt6::Widgets GTest::gtest GTest::gmock)
  else()
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/test_main.cpp)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} zf_testsupport GTest::gtest GTest::gmock)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;ZF_BIN_DIR=${ZF_BIN_DIR};ZF_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
               TIMEOUT 300)
endfunction()

# zf_bench(<name> SOURCES ... LIBS ...)
function(zf_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench/bin)
  target_compile_definitions(${name} PRIVATE ZF_BIN_DIR="${ZF_BIN_DIR}")
endfunction()

# zf_fuzzer(<name> SOURCE <file> LIBS ...)
# With ZF_FUZZ (clang) this is a libFuzzer binary. Otherwise the same entry
# point is linked with a driver that replays fuzz/corpus/<name>/ as a test,
# so every input that ever found a fault stays checked by `make test`.
function(zf_fuzzer name)
  cmake_parse_arguments(ARG "" "SOURCE" "LIBS" ${ARGN})
  if(ZF_FUZZ)
    add_executable(fuzz_${name} ${ARG_SOURCE})
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(fuzz_${name} PRIVATE ${ARG_LIBS})
  elseif(ZF_TESTS)
    add_executable(fuzz_replay_${name} ${ARG_SOURCE} ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
    target_link_libraries(fuzz_replay_${name} PRIVATE ${ARG_LIBS})
    set_target_properties(fuzz_replay_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
    add_test(NAME fuzz_replay.${name}
             COMMAND fuzz_replay_${name} ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
  endif()
endfunction()
