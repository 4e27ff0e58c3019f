# Reading aloud in the main window on the full text: opening the voice
# dialog the first time, and the longest stall of the window's event loop
# while a display is read (needs a sound output, e.g. a null sink).
if(TARGET zf_main_window AND TARGET zf_speech_ui)
  zf_bench(bench_speech SOURCES ${CMAKE_CURRENT_LIST_DIR}/speech_bench.cpp LIBS zf_main_window)
endif()
