# What `cmake --install` lays out, for packaging/make-zip.sh (the Windows
# program folder) and packaging/make-deb.sh (the command line on Debian).
if(WIN32 AND TARGET stavrel)
  install(TARGETS stavrel stavrel-cli gzip RUNTIME DESTINATION .)
  install(FILES README.md LICENSE CHANGELOG.md DESTINATION .)
  install(FILES docs/guide.md DESTINATION docs)
  install(DIRECTORY docs/images DESTINATION docs OPTIONAL)
elseif(NOT WIN32)
  include(GNUInstallDirs)
  install(TARGETS stavrel-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # Not on the PATH, where it would stand in for the system's gzip; the
  # program looks for it at ../libexec/stavrel/gzip from its own folder.
  install(TARGETS gzip RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/stavrel)
  install(FILES packaging/stavrel-cli.bash-completion
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME stavrel-cli)
endif()
