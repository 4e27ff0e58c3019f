# Looking up: a word's senses in the offline dictionary, and a word's
# verses in the concordance of the full text.
zf_bench(lookup_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/lookup_bench.cpp LIBS zf_lookup zf_db)
