# Desktop integration, installed under share/: the menu entry, the project
# files' MIME type, the icon in the hicolor theme and the AppStream metainfo.
# All files carry the application id below; the sources are in desktop/.

set(GLOAMER_APP_ID com.tavrinex.Gloamer)
set(GLOAMER_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/desktop)

install(FILES ${GLOAMER_DESKTOP_DIR}/${GLOAMER_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${GLOAMER_DESKTOP_DIR}/${GLOAMER_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${GLOAMER_DESKTOP_DIR}/${GLOAMER_APP_ID}.mime.xml DESTINATION share/mime/packages
  RENAME ${GLOAMER_APP_ID}.xml)
install(DIRECTORY ${GLOAMER_DESKTOP_DIR}/icons/ DESTINATION share/icons)

# A new MIME type only takes effect once the database is rebuilt, and "Open
# with" and the menu read caches as well. Packagers stage with DESTDIR and
# leave this to their package's triggers; a direct install refreshes the
# caches under its own prefix when the tools are there.
install(CODE [[
  if("$ENV{DESTDIR}" STREQUAL "")
    set(share "${CMAKE_INSTALL_PREFIX}/share")
    find_program(GLOAMER_UPDATE_MIME update-mime-database)
    find_program(GLOAMER_UPDATE_DESKTOP update-desktop-database)
    find_program(GLOAMER_UPDATE_ICONS gtk-update-icon-cache)
    if(GLOAMER_UPDATE_MIME)
      execute_process(COMMAND ${GLOAMER_UPDATE_MIME} "${share}/mime" OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(GLOAMER_UPDATE_DESKTOP)
      execute_process(COMMAND ${GLOAMER_UPDATE_DESKTOP} -q "${share}/applications" OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(GLOAMER_UPDATE_ICONS)
      execute_process(COMMAND ${GLOAMER_UPDATE_ICONS} -q -t -f "${share}/icons/hicolor" OUTPUT_QUIET ERROR_QUIET)
    endif()
  endif()
]])
