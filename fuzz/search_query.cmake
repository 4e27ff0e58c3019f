# Random search text through preparation, parsing and statement building
# for every option combination, each statement run on a small text
# database in memory.
zf_fuzzer(search_query SOURCE ${CMAKE_CURRENT_LIST_DIR}/search_query.cpp LIBS zf_search zf_db)
