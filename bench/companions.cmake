# The companion texts in the main window: the first document in the web
# pane (its engine started on demand), later documents, and the glossary
# and the index in the reading pane.
if(TARGET zf_reading_docs)
  zf_bench(companions_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/companions_bench.cpp
           LIBS zf_main_window)
endif()
