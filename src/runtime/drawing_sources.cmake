# Canvas on QPainter, fonts and sheet files.
target_sources(tavrimo_qt PRIVATE
  qpainter_canvas.cpp
  sheet_files.cpp
  sheet_fonts.cpp
)
