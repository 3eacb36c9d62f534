# Sources of the composer. Each stage keeps its own list in its folder:
#   cells/       character cells and metrics
#   breaking/    line breaking
#   horizontal/  horizontal placement
#   vertical/    vertical placement
set(KUMI_COMPOSE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/composer.cpp)
foreach(stage cells breaking horizontal vertical)
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/${stage}/sources.cmake)
    include(${CMAKE_CURRENT_LIST_DIR}/${stage}/sources.cmake)
  endif()
endforeach()
