# cmake -DFILE=<path> -DMAX_BYTES=<n> -P CheckFileSize.cmake
# Fails when the file is missing or larger than MAX_BYTES bytes.
if(NOT DEFINED FILE OR NOT DEFINED MAX_BYTES)
  message(FATAL_ERROR "Uso: cmake -DFILE=<archivo> -DMAX_BYTES=<n> -P CheckFileSize.cmake")
endif()
if(NOT EXISTS "${FILE}")
  message(FATAL_ERROR "No existe ${FILE}")
endif()
file(SIZE "${FILE}" size)
if(size GREATER MAX_BYTES)
  message(FATAL_ERROR "${FILE} ocupa ${size} bytes, más que el máximo de ${MAX_BYTES}")
endif()
message(STATUS "${FILE}: ${size} bytes (máximo ${MAX_BYTES})")
