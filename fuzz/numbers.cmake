zf_fuzzer(numbers SOURCE ${CMAKE_CURRENT_LIST_DIR}/numbers_fuzz.cpp LIBS zf_numbers)
