# Canvas on QPainter, fonts and sheet files.
target_sources(tavrimo_qt PRIVATE
)
