# The Win32 forms layer: forms, controls, the message loop and the error report.
add_library(kalvenor_forms STATIC
  Application.cpp
  Controls.cpp
  Fonts.cpp
  Form.cpp
  InformeErrores.cpp
  Picture.cpp
)
kalvenor_target_defaults(kalvenor_forms)
target_link_libraries(kalvenor_forms PUBLIC kalvenor_forms_core
  user32 gdi32 comctl32 ole32 windowscodecs uuid)
