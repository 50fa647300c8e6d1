# What the Windows downloads hold, and the installer's settings for CPack.
# scripts/package.sh makes them from one Release build:
#   Kalvenor-<version>-win64-setup.exe  a per-user installer: CPack's NSIS
#                                       generator, with packaging/NSIS.template.in
#   Kalvenor-<version>-win64.zip        the portable copy: the installed files
#                                       (cmake --install), zipped by cmake -E tar
# Both hold the same files: Kalvenor.exe and LEEME.txt. The version is the
# project's. Given a code-signing certificate, package.sh signs Kalvenor.exe,
# the uninstaller and the setup (packaging/firmar.sh).

install(TARGETS Kalvenor RUNTIME DESTINATION .)
# Notepad on every Windows reads the file as it is: UTF-8 with its byte order
# mark, Windows line ends.
configure_file("${PROJECT_SOURCE_DIR}/packaging/LEEME.txt.in" "${PROJECT_BINARY_DIR}/LEEME.txt" @ONLY NEWLINE_STYLE CRLF)
install(FILES "${PROJECT_BINARY_DIR}/LEEME.txt" DESTINATION .)

set(CPACK_PACKAGE_NAME Kalvenor)
set(CPACK_PACKAGE_VENDOR "Proyecto Kalvenor")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME "Kalvenor-${PROJECT_VERSION}-win64-setup")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Kalvenor)
set(CPACK_GENERATOR NSIS)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# The installer's own script (packaging/NSIS.template.in) replaces CPack's:
# per user, in Spanish, with its uninstall entry.
set(KALVENOR_ICONO "${PROJECT_SOURCE_DIR}/src/resources/Kalvenor.ico")
set(CPACK_NSIS_MUI_ICON "${KALVENOR_ICONO}")
set(CPACK_NSIS_MUI_UNIICON "${KALVENOR_ICONO}")
list(PREPEND CMAKE_MODULE_PATH "${PROJECT_SOURCE_DIR}/packaging")
include(CPack)
