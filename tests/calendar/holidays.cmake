orbeline_add_gtest(calendar_holidays_test
  holiday_engine_test.cpp
  holidays_command_test.cpp
  reminders_test.cpp
  special_days_test.cpp
  user_holidays_test.cpp
)
