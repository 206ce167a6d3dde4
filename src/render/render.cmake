# The calendar renderer: layout, day cells and marks, labels and Japanese eras.
target_sources(orbeline_core PRIVATE
  block_labels.cpp
  calendar_block.cpp
  calendar_dates.cpp
  calendar_drawing.cpp
  day_cells.cpp
  day_color.cpp
  japanese_era.cpp
  label_text.cpp
  year_month_label.cpp
)
