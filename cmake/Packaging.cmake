# What `make install` puts where, and the packages CPack makes of it: a Debian package of the
# Linux build; a zip and an NSIS installer of the Windows cross build.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME qe2m4)
set(CPACK_PACKAGE_VENDOR qe2m4)
set(CPACK_PACKAGE_CONTACT "qe2m4 maintainers <qe2m4@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "qe2m4 converts one boring's data set as Holtvar_Qe stores it (numbered CP932 text files) into\n"
    "the fixed-width files of KirvanM4, classifying each Japanese soil description into numeric\n"
    "soil codes on the way. It has a window (qe2m4-gui) and a command line (qe2m4).")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY qe2m4)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/build.*/;/\\\\.git/")

if(WIN32)
  # Everything in one folder: the programs, the README, the sample boring.
  install(TARGETS qe2m4 RUNTIME DESTINATION .)
  if(TARGET qe2m4-gui)
    install(TARGETS qe2m4-gui RUNTIME DESTINATION .)
  endif()
  # The README with the version filled in and Windows's line ends.
  configure_file(packaging/windows/README.txt README.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
  install(DIRECTORY examples/ DESTINATION sample)

  set(CPACK_GENERATOR "ZIP;NSIS")
  set(CPACK_PACKAGE_FILE_NAME "qe2m4-${PROJECT_VERSION}-win64")
  # The installer is named apart from the zip (see CPackOptions.cmake.in) and made from the
  # project's own template (packaging/windows/NSIS.template.in), which speaks Japanese.
  set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_BINARY_DIR}/CPackOptions.cmake")
  configure_file(packaging/windows/CPackOptions.cmake.in CPackOptions.cmake @ONLY)
  list(PREPEND CMAKE_MODULE_PATH "${PROJECT_SOURCE_DIR}/packaging/windows")
  set(CPACK_NSIS_PACKAGE_NAME "qe2m4 ${PROJECT_VERSION}")
  set(CPACK_NSIS_DISPLAY_NAME "qe2m4 ${PROJECT_VERSION}")
  set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/packaging/windows/qe2m4.ico")
  set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/packaging/windows/qe2m4.ico")
else()
  install(TARGETS qe2m4 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(TARGET qe2m4-gui)
    install(TARGETS qe2m4-gui RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
  install(FILES packaging/linux/qe2m4.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES packaging/qe2m4.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES packaging/linux/qe2m4.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)

  # The manual page with the version filled in, compressed as Debian keeps them (-n: no time
  # stamp in the file).
  configure_file(packaging/linux/qe2m4.1 qe2m4.1 @ONLY)
  set(manual_page ${PROJECT_BINARY_DIR}/qe2m4.1.gz)
  add_custom_command(OUTPUT ${manual_page}
                     COMMAND gzip -9nc ${PROJECT_BINARY_DIR}/qe2m4.1 > ${manual_page}
                     DEPENDS ${PROJECT_BINARY_DIR}/qe2m4.1 VERBATIM)
  add_custom_target(qe2m4_manual_page ALL DEPENDS ${manual_page})
  install(FILES ${manual_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  # The Japanese manual page (UTF-8), which man shows in a Japanese locale.
  configure_file(packaging/linux/qe2m4.ja.1 qe2m4.ja.1 @ONLY)
  set(japanese_manual_page ${PROJECT_BINARY_DIR}/ja/qe2m4.1.gz)
  add_custom_command(OUTPUT ${japanese_manual_page}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/ja
                     COMMAND gzip -9nc ${PROJECT_BINARY_DIR}/qe2m4.ja.1 > ${japanese_manual_page}
                     DEPENDS ${PROJECT_BINARY_DIR}/qe2m4.ja.1 VERBATIM)
  add_custom_target(qe2m4_japanese_manual_page ALL DEPENDS ${japanese_manual_page})
  install(FILES ${japanese_manual_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1)
  install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
  # The Japanese user guide with its pictures.
  install(FILES README.ja.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(DIRECTORY docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs FILES_MATCHING PATTERN "*.png")

  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION science)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The run-time libraries (libc, libstdc++, Qt 6 ...) are found by dpkg-shlibdeps, not listed here.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The window's Japanese captions and standard buttons: a font and Qt's translations, which no
  # library links to.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk, qt6-translations-l10n")
endif()

include(CPack)
