# Sources of the composer (cells and metrics, line breaking, placement).
set(KUMI_COMPOSE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/composer.cpp
)
