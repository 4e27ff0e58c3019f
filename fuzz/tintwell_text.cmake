zf_fuzzer(tintwell_text SOURCE ${CMAKE_CURRENT_LIST_DIR}/tintwell_text.cpp LIBS zf_tintwell_core)
