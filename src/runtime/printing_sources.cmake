# Printer and window services.
target_sources(tavrimo_qt PRIVATE
  application_title.cpp
  control_hints.cpp
  job_files.cpp
  qt_sheet_printer.cpp
  qt_window_services.cpp
  sheet_printer.cpp
  sheet_printing.cpp
)
