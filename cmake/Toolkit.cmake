# The toolkit as one imported target per component (wx::base, wx::core, ...),
# so that each room of the program links only the parts it uses.
# (adv is part of core since 3.1; net is not used.)
set(GLOAMER_WX_COMPONENTS xrc html qa core xml base)
find_package(wxWidgets 3.2 REQUIRED COMPONENTS ${GLOAMER_WX_COMPONENTS})

add_library(gloamer_wx_flags INTERFACE)
target_include_directories(gloamer_wx_flags SYSTEM INTERFACE ${wxWidgets_INCLUDE_DIRS})
target_compile_definitions(gloamer_wx_flags INTERFACE ${wxWidgets_DEFINITIONS})
target_compile_options(gloamer_wx_flags INTERFACE ${wxWidgets_CXX_FLAGS})
target_link_directories(gloamer_wx_flags INTERFACE ${wxWidgets_LIBRARY_DIRS})

# wxWidgets_LIBRARIES holds entries like -lwx_gtk3u_core-3.2 and
# -lwx_baseu_xml-3.2; the component is the last name part before the version.
foreach(entry ${wxWidgets_LIBRARIES})
  if(entry MATCHES "^-l(wx_[a-z0-9]+u(_([a-z]+))?-[0-9.]+)$")
    set(lib ${CMAKE_MATCH_1})
    set(component ${CMAKE_MATCH_3})
    if(NOT component)
      set(component base)
    endif()
    add_library(wx::${component} INTERFACE IMPORTED)
    target_link_libraries(wx::${component} INTERFACE ${lib} gloamer_wx_flags)
  elseif(entry MATCHES "^-")
    target_link_options(gloamer_wx_flags INTERFACE ${entry})
  endif()
endforeach()
foreach(component ${GLOAMER_WX_COMPONENTS})
  if(NOT TARGET wx::${component})
    message(FATAL_ERROR "wxWidgets component ${component} not found in ${wxWidgets_LIBRARIES}")
  endif()
endforeach()
# Every component stands on base; the graphical ones on core too.
target_link_libraries(wx::xml INTERFACE wx::base)
target_link_libraries(wx::core INTERFACE wx::base)
foreach(component xrc html qa)
  target_link_libraries(wx::${component} INTERFACE wx::core)
endforeach()
