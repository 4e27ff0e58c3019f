# Copy, save and separate windows in the main window on the full text: the
# whole of sura 2 copied (both formats), saved as rich text and as a web
# page, and opened in a separate window.
if(TARGET zf_export_ui)
  zf_bench(export_ui_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/export_ui_bench.cpp
           LIBS zf_main_window)
endif()
