# The search on the full text: simple and area searches, block search and
# the category filter.
zf_bench(search_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/search_bench.cpp LIBS zf_search zf_richtext zf_db)
