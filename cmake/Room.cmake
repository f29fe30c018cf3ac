# gloamer_room(<name> [EXCLUDE <file>...]): the library of one folder under
# src/, built from every .cpp in it; headers are found as "<room>/<file>.h".
function(gloamer_room name)
  cmake_parse_arguments(ROOM "" "" "EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(excluded ${ROOM_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  add_library(gloamer_${name} STATIC ${sources})
  target_include_directories(gloamer_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
endfunction()

# gloamer_room_link_check(<name>...): links every object of each room, with
# only the libraries the room declares, into a small program that is built
# with the rest. A room that reaches into one it does not link fails here.
function(gloamer_room_link_check)
  foreach(name ${ARGN})
    add_executable(gloamer_${name}_links_alone ${CMAKE_SOURCE_DIR}/cmake/room_link_check.cpp)
    target_link_libraries(gloamer_${name}_links_alone PRIVATE
      "$<LINK_LIBRARY:WHOLE_ARCHIVE,gloamer_${name}>")
    set_target_properties(gloamer_${name}_links_alone PROPERTIES
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/room-checks)
  endforeach()
endfunction()
