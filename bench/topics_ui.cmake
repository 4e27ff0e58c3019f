# Topics in the main window: "REFRESH TOPIC" on a topic of 1,000 verses,
# from the click to every verse listed, checked and shown.
if(TARGET zf_topics_ui)
  zf_bench(topics_ui_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/topics_ui_bench.cpp
           LIBS zf_main_window)
endif()
