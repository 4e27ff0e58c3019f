# The search in the main window: "Go" to the result rows, and the category
# filter into the verse list with the first verses shown.
if(TARGET zf_search_ui)
  zf_bench(search_ui_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/search_ui_bench.cpp
           LIBS zf_main_window)
endif()
