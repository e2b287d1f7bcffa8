# Runs at install time: fills the install prefix into the launcher and the desktop entry,
# then installs both.
set(staging "${SINTONIA_DATA_STAGING}")
# Installs into different prefixes may run side by side; each has its own staging folder.
string(MD5 run "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
string(APPEND staging "/${run}")

set(SINTONIA_BINDIR "${CMAKE_INSTALL_PREFIX}/${SINTONIA_INSTALL_BINDIR}")
set(SINTONIA_LAUNCHER "${CMAKE_INSTALL_PREFIX}/${SINTONIA_INSTALL_LIBEXECDIR}/sintonia-start")
configure_file("${SINTONIA_DATA_SOURCE}/sintonia-start.in" "${staging}/sintonia-start" @ONLY)
configure_file("${SINTONIA_DATA_SOURCE}/${SINTONIA_APP_ID}.desktop.in" "${staging}/${SINTONIA_APP_ID}.desktop" @ONLY)

file(INSTALL "${staging}/sintonia-start"
  DESTINATION "${CMAKE_INSTALL_PREFIX}/${SINTONIA_INSTALL_LIBEXECDIR}"
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(INSTALL "${staging}/${SINTONIA_APP_ID}.desktop"
  DESTINATION "${CMAKE_INSTALL_PREFIX}/${SINTONIA_INSTALL_DATADIR}/applications")
