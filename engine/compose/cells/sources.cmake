# Character cells and metrics.
list(APPEND KUMI_COMPOSE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/cells.cpp
)
