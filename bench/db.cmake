zf_bench(bench_db SOURCES ${CMAKE_CURRENT_LIST_DIR}/db_bench.cpp LIBS zf_db zf_init)
target_compile_definitions(bench_db PRIVATE ZERAFIN_SAMPLE_DIR="${ZERAFIN_SAMPLE_DIR}" ZERAFIN_DATA_DIR="${ZERAFIN_DATA_DIR}")
