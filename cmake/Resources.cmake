# Installed resources: Themes/, option.cfg, the compiled catalogs in
# Language/<lang>/LC_MESSAGES/language.mo and the manual in
# share/tavrinex-gloamer/manual.html. They are staged into the build tree
# on every build so that build/bin/gloamer runs without installing.

file(GLOB GLOAMER_THEME_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/Themes/*)
set(GLOAMER_STAGED_THEMES)
foreach(f ${GLOAMER_THEME_FILES})
  get_filename_component(name ${f} NAME)
  add_custom_command(OUTPUT ${GLOAMER_STAGE_DIR}/Themes/${name}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${f} ${GLOAMER_STAGE_DIR}/Themes/${name}
    DEPENDS ${f} VERBATIM)
  list(APPEND GLOAMER_STAGED_THEMES ${GLOAMER_STAGE_DIR}/Themes/${name})
endforeach()

add_custom_command(OUTPUT ${GLOAMER_STAGE_DIR}/option.cfg
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/option.cfg ${GLOAMER_STAGE_DIR}/option.cfg
  DEPENDS ${CMAKE_SOURCE_DIR}/option.cfg VERBATIM)

set(GLOAMER_STAGED_MANUAL ${GLOAMER_STAGE_DIR}/share/tavrinex-gloamer/manual.html)
add_custom_command(OUTPUT ${GLOAMER_STAGED_MANUAL}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/doc/manual.html ${GLOAMER_STAGED_MANUAL}
  DEPENDS ${CMAKE_SOURCE_DIR}/doc/manual.html VERBATIM)

find_program(MSGFMT_EXECUTABLE msgfmt REQUIRED)
file(GLOB GLOAMER_PO_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/po/*.po)
set(GLOAMER_STAGED_CATALOGS)
foreach(po ${GLOAMER_PO_FILES})
  get_filename_component(lang ${po} NAME_WE)
  set(mo ${GLOAMER_STAGE_DIR}/Language/${lang}/LC_MESSAGES/language.mo)
  add_custom_command(OUTPUT ${mo}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${GLOAMER_STAGE_DIR}/Language/${lang}/LC_MESSAGES
    COMMAND ${MSGFMT_EXECUTABLE} --check -o ${mo} ${po}
    DEPENDS ${po} VERBATIM)
  list(APPEND GLOAMER_STAGED_CATALOGS ${mo})
endforeach()

add_custom_target(gloamer_resources ALL
  DEPENDS ${GLOAMER_STAGED_THEMES} ${GLOAMER_STAGE_DIR}/option.cfg ${GLOAMER_STAGED_MANUAL}
    ${GLOAMER_STAGED_CATALOGS})
file(MAKE_DIRECTORY ${GLOAMER_STAGE_DIR}/Language)
add_dependencies(gloamer gloamer_resources)
add_dependencies(gloamer-cli gloamer_resources)

install(DIRECTORY ${CMAKE_SOURCE_DIR}/Themes/ DESTINATION Themes)
install(FILES ${CMAKE_SOURCE_DIR}/option.cfg DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/doc/manual.html DESTINATION share/tavrinex-gloamer)
install(DIRECTORY ${GLOAMER_STAGE_DIR}/Language/ DESTINATION Language)
