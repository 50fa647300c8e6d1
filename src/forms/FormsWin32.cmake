# The Win32 forms layer (filled in by the forms work).
