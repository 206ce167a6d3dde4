# Calendar data: holiday engine, user holidays, special days and reminders.
target_sources(orbeline_core PRIVATE
  day_rule_text.cpp
  holiday_engine.cpp
  reminders.cpp
  special_day_store.cpp
  special_days.cpp
  user_holidays.cpp
)
