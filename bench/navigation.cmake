# Moving through the full text in the main window: choosing a sura until its
# verse shows, and one step of the Down key in the verse list.
if(TARGET zf_main_window)
  zf_bench(bench_navigation SOURCES ${CMAKE_CURRENT_LIST_DIR}/navigation_bench.cpp LIBS zf_main_window)
endif()
