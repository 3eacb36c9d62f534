# Vertical placement.
list(APPEND KUMI_COMPOSE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/column_flow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/column_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vertical_placement.cpp
)
