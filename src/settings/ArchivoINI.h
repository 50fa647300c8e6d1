#pragma once
// ArchivoINI: the settings file through the platform's single-byte profile
// functions. Win32 only; library kalvenor_settings_win32.
//
// Every text goes to the file through the ANSI code page (CP_ACP) and comes
// back through it, so under Windows-1252 the "ó" of "ConfiguraciónGeneral" is
// the byte 0xF3 in the file.
//
// Where the file lives (a bare file name would put it in the Windows
// directory, which an ordinary user cannot write):
//   - The file is %APPDATA%\Kalvenor\<archivo>, e.g. %APPDATA%\Kalvenor\Kalvenor.
//     %APPDATA% is the process's environment variable APPDATA, or when that is
//     empty the shell's CSIDL_APPDATA folder.
//   - Writes always go there; the folder Kalvenor is made on the first write.
//   - Reads go there once that file exists. Before that they read the file the
//     bare name finds (the Windows directory), where an earlier installation
//     kept its settings. The first write starts the per-user file as a copy of
//     that one, so that keys not written yet keep the values they read as.
//   - A path that the ANSI code page cannot hold (a user name in another
//     script) is handed to the W profile functions instead, with the section,
//     key and value passed through the ANSI code page first, so the file's
//     content is the same as through the A functions.

#include <string>
#include <string_view>

#include "settings/PerfilINI.h"

namespace kalvenor {

// `archivo` is a bare file name, the application title: never a path.
class ArchivoINI final : public PerfilINI {
public:
    // GetPrivateProfileStringA with a buffer of 255 and the default "": the
    // first n characters placed, so at most 254.
    std::u16string LeerINI(std::u16string_view seccion, std::u16string_view clave,
                           std::u16string_view archivo) override;
    // WritePrivateProfileStringA into the per-user file. False when the folder
    // cannot be made, the earlier file cannot be copied or the write fails; the
    // file is then left as it was.
    bool EscribirINI(std::u16string_view seccion, std::u16string_view clave, std::u16string_view valor,
                     std::u16string_view archivo) override;
    // WritePrivateProfileStringA with no value, in the per-user file, made
    // ready as for a write.
    bool BorrarINI(std::u16string_view seccion, std::u16string_view clave, std::u16string_view archivo) override;
};

// The per-user settings file, %APPDATA%\Kalvenor\Kalvenor, for messages to
// the user. Empty when no application-data folder can be found.
std::wstring RutaArchivoPreferencias();
// The file the settings are read from now: the per-user file once it exists,
// before that the one in the Windows directory; empty when there is neither.
std::wstring RutaArchivoPreferenciasLeido();

}  // namespace kalvenor
