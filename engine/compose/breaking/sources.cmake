# Line breaking.
list(APPEND KUMI_COMPOSE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/break_tables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_breaking.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_filling.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_formats.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_statistics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/space_removal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/table_flags.cpp
)
