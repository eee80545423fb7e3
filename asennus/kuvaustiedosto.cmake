# Run at install time: the desktop entry names the program where this installation puts it.
set(_ohjelma "${CMAKE_INSTALL_PREFIX}/${RULLAKKO_BINDIR}/rullakko")
if(_ohjelma MATCHES " ")
  set(_ohjelma "\"${_ohjelma}\"")
endif()
file(READ "${RULLAKKO_LAHDE}/asennus/net.rullakko.Rullakko.desktop.in" _kuvaus)
string(REPLACE "@EXEC@" "${_ohjelma}" _kuvaus "${_kuvaus}")
file(MAKE_DIRECTORY "${RULLAKKO_RAKENNUS}/asennus/sovellus")
file(WRITE "${RULLAKKO_RAKENNUS}/asennus/sovellus/net.rullakko.Rullakko.desktop" "${_kuvaus}")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${RULLAKKO_DATADIR}/applications" TYPE FILE
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
  FILES "${RULLAKKO_RAKENNUS}/asennus/sovellus/net.rullakko.Rullakko.desktop")
