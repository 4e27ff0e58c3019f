# RTF reading and writing, and the verse display of a whole sura.
if(TARGET zf_reading_ui)
  zf_bench(bench_richtext SOURCES ${CMAKE_CURRENT_LIST_DIR}/richtext_bench.cpp
           LIBS zf_richtext zf_reading zf_reading_ui)
endif()
