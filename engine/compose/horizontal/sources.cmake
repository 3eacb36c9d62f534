# Horizontal placement.
list(APPEND KUMI_COMPOSE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/glyph_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glyph_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/horizontal_placement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_alignment.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_flow.cpp
)
