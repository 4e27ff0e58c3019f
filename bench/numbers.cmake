# Long division against GMP, and the gematrical values of a long expression.
find_library(ZF_BENCH_GMP_LIBRARY gmp)
if(ZF_BENCH_GMP_LIBRARY)
  zf_bench(numbers_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/numbers_bench.cpp LIBS zf_numbers ${ZF_BENCH_GMP_LIBRARY})
else()
  message(WARNING "libgmp not found: numbers_bench is not built (install libgmp-dev)")
endif()
