# Collections and topics on the full text: backup, restore, merge and
# erase of a large collection, and showing a large topic.
zf_bench(topics_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/topics_bench.cpp LIBS zf_topics zf_db)
