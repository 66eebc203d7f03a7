# Installing and the Debian package.
#
# Layout: the program folder is installed whole to lib/lexmora: the window
# program and the agent beside the sample data (groups.dgi, DICT, GAME, the
# language files, system.lib, help), as the program finds its data and the
# agent in the folder of its executable. bin/lexmora links to it; the
# console program and the data tools go to bin. The installed folder is
# read-only for users: the window program then runs on a folder of each
# user's own (~/.local/share/lexmora) that links to the installed data and
# keeps what the program writes (groups.dgi, NOTEPADS, DICT/INDEX).
include(GNUInstallDirs)
set(LEXMORA_PROGRAM_FOLDER lib/lexmora)

if(LEXMORA_HAVE_QT)
  install(TARGETS lexmora lexagent RUNTIME DESTINATION ${LEXMORA_PROGRAM_FOLDER})
  install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK ../${LEXMORA_PROGRAM_FOLDER}/lexmora
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/lexmora\" SYMBOLIC)")
endif()

# The console program, the DICT server and every data tool named lexmora-*,
# but not the tools only the build runs: lexmora-credits writes a C++ source
# of the window program and is of no use outside the build.
set(LEXMORA_BUILD_ONLY_TOOLS lexmora-credits)
set(LEXMORA_INSTALLED_TOOLS)
foreach(folder ${CMAKE_SOURCE_DIR}/src/cli ${CMAKE_SOURCE_DIR}/src/dictd ${CMAKE_SOURCE_DIR}/tools)
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(t IN LISTS targets)
    get_target_property(type ${t} TYPE)
    if(type STREQUAL "EXECUTABLE" AND t MATCHES "^lexmora-" AND NOT t IN_LIST LEXMORA_BUILD_ONLY_TOOLS)
      list(APPEND LEXMORA_INSTALLED_TOOLS ${t})
    endif()
  endforeach()
endforeach()
install(TARGETS ${LEXMORA_INSTALLED_TOOLS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# A manual page for every program in bin (docs/man/NAME.1), compressed as
# Debian wants them.
set(LEXMORA_MAN_PROGRAMS ${LEXMORA_INSTALLED_TOOLS})
if(LEXMORA_HAVE_QT)
  list(PREPEND LEXMORA_MAN_PROGRAMS lexmora)
endif()
set(LEXMORA_MAN_BUILD ${CMAKE_BINARY_DIR}/man)
file(MAKE_DIRECTORY ${LEXMORA_MAN_BUILD})
set(LEXMORA_MAN_PAGES)
foreach(program IN LISTS LEXMORA_MAN_PROGRAMS)
  set(page ${CMAKE_SOURCE_DIR}/docs/man/${program}.1)
  if(NOT EXISTS ${page})
    message(WARNING "${program} is installed to bin but has no manual page ${page}")
    continue()
  endif()
  configure_file(${page} ${LEXMORA_MAN_BUILD}/${program}.1 COPYONLY)
  execute_process(COMMAND gzip -9nf ${LEXMORA_MAN_BUILD}/${program}.1)
  list(APPEND LEXMORA_MAN_PAGES ${LEXMORA_MAN_BUILD}/${program}.1.gz)
endforeach()
install(FILES ${LEXMORA_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The sample program folder, without the link to the build tree's agent and
# without what a run of the program writes into it.
install(DIRECTORY ${CMAKE_BINARY_DIR}/sample/ DESTINATION ${LEXMORA_PROGRAM_FOLDER}
        USE_SOURCE_PERMISSIONS
        PATTERN lexagent EXCLUDE
        PATTERN "*.lock" EXCLUDE
        PATTERN NOTEPADS EXCLUDE
        PATTERN INDEX EXCLUDE)

# Everything the installation takes, to build before packaging.
get_property(LEXMORA_SAMPLE_TARGETS DIRECTORY ${CMAKE_SOURCE_DIR}/data PROPERTY BUILDSYSTEM_TARGETS)
add_custom_target(lexmora_installed)
add_dependencies(lexmora_installed ${LEXMORA_INSTALLED_TOOLS} ${LEXMORA_SAMPLE_TARGETS})
if(LEXMORA_HAVE_QT)
  add_dependencies(lexmora_installed lexmora lexagent)
endif()

# Desktop integration.
install(FILES data/desktop/org.lexmora.Lexmora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/desktop/org.lexmora.Lexmora.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 48 64 128 256)
  install(FILES data/icons/lexmora-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME lexmora.png)
endforeach()
install(FILES data/icons/lexmora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The DICT server as a systemd user service (systemctl --user start
# lexmora-dictd), serving the user's own program folder.
install(FILES data/systemd/lexmora-dictd.service DESTINATION lib/systemd/user)

# Debian's documentation files: the copyright and the compressed changelog
# (named as a package of its own source has it).
set(LEXMORA_DEB_DOC ${CMAKE_BINARY_DIR}/deb-doc)
file(MAKE_DIRECTORY ${LEXMORA_DEB_DOC})
configure_file(cmake/deb/changelog.in ${LEXMORA_DEB_DOC}/changelog @ONLY)
execute_process(COMMAND gzip -9nf ${LEXMORA_DEB_DOC}/changelog)
install(FILES ${LEXMORA_DEB_DOC}/changelog.gz cmake/deb/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lexmora)

set(CPACK_PACKAGE_NAME lexmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Lexmora developers <lexmora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Azerbaijani desktop dictionary")
set(CPACK_PACKAGE_DESCRIPTION
    "Lexmora is a desktop dictionary centred on Azerbaijani, with dictionary\n groups for English, German, French and Russian. It looks words up as they\n are typed, renders articles with transcriptions and pronunciation, searches\n the full text of every article, keeps word lists and offers a vocabulary\n game. The package holds the window program, its tray companion, the\n console program lexmora-cli, the data tools and a sample data set.")
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://lexmora.example.org/")
# Qt loads its platform plugins (X11, Wayland) at run time, out of the
# reach of the library scan.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
