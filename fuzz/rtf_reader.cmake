zf_fuzzer(rtf_reader SOURCE ${CMAKE_CURRENT_LIST_DIR}/rtf_reader.cpp LIBS zf_richtext)
