zf_bench(bench_startup SOURCES ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp LIBS)
target_compile_definitions(bench_startup PRIVATE ZF_ZERAFIN_EXE="$<TARGET_FILE:zerafin>")
add_dependencies(bench_startup zerafin)
