# The encoder component: a batch of conversion tasks and their option records.
target_sources(vantrel_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DIzizuZUR.cpp ${CMAKE_CURRENT_LIST_DIR}/DIzizuZUROptions.cpp)
