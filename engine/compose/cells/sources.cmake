# Character cells and metrics.
list(APPEND KUMI_COMPOSE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/cells.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_classes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metrics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metric_grid.cpp
)
