# Printer and window services.
target_sources(tavrimo_qt PRIVATE
)
