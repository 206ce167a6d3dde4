#include <algorithm>

#include "base/error.h"
#include "calendar/day_rule_text.h"
#include "calendar/special_days.h"

namespace orbeline {
namespace {

std::string SpecialValueName(int index) { return "Special" + std::to_string(index); }

// The seven fields in stored order.
std::array<std::string*, 7> Fields(SpecialDay& record) {
  return {&record.name,    &record.dates,  &record.color_mode, &record.color,
          &record.comment, &record.dialog, &record.count_day};
}
std::array<const std::string*, 7> Fields(const SpecialDay& record) {
  return {&record.name,    &record.dates,  &record.color_mode, &record.color,
          &record.comment, &record.dialog, &record.count_day};
}

int RecordCount(const SpecialDays& days) {
  const auto& records = days.records();
  auto end = std::find_if(records.begin(), records.begin() + kMaxSpecialDays,
                          [](const SpecialDay& record) { return record.name.empty(); });
  return static_cast<int>(end - records.begin());
}

}  // namespace

std::size_t FindUnquotedChar(char c, std::string_view text) {
  std::size_t position = text.find(c);
  return position == std::string_view::npos ? 0 : position + 1;
}

std::string TakeField(std::string& text) {
  std::size_t position = FindUnquotedChar('\\', text);
  if (position == 0) {
    std::string field = std::move(text);
    text = "0";
    return field;
  }
  std::string field = text.substr(0, position - 1);
  text.erase(0, position);
  return field;
}

void LoadSpecialDays(const SettingsStore& store, SpecialDays& days) {
  auto& records = days.records();
  for (SpecialDay& record : records) record = SpecialDay{};
  // The table holds 100 records; values beyond Special99 are never read.
  for (int i = 0; i < kMaxSpecialDays; ++i) {
    std::optional<std::string> text = store.ReadRaw(SpecialValueName(i));
    if (!text || text->empty()) break;
    if (*text == "none") continue;
    for (std::string* field : Fields(records[static_cast<std::size_t>(i)])) {
      *field = TakeField(*text);
    }
  }
}

void SaveSpecialDays(SettingsStore& store, const SpecialDays& days) {
  const int count = RecordCount(days);
  for (int i = 0; i < count; ++i) {
    for (const std::string* field : Fields(days.records()[static_cast<std::size_t>(i)])) {
      if (FindUnquotedChar('\\', *field) != 0) {
        throw Error("Cannot save special day " + std::to_string(i) + " (" +
                    days.records()[static_cast<std::size_t>(i)].name +
                    "): a field contains \"\\\"");
      }
    }
  }
  for (int i = 0; i < count; ++i) {
    const auto fields = Fields(days.records()[static_cast<std::size_t>(i)]);
    std::string text = *fields[0];
    for (std::size_t f = 1; f < fields.size(); ++f) text += '\\' + *fields[f];
    store.WriteSetting(SpecialValueName(i), text);
  }
  for (int n = count; n <= kMaxSpecialDays; ++n) {
    store.Remove(SpecialValueName(n));
  }
}

std::vector<std::string> FillSpecialDayList(const SpecialDays& days) {
  std::vector<std::string> lines;
  const int count = RecordCount(days);
  for (int i = 0; i < count; ++i) {
    const SpecialDay& record = days.records()[static_cast<std::size_t>(i)];
    std::size_t comma = record.dates.find(',');
    std::string line = record.name + ":" + FormatDateRule(record.dates.substr(0, comma));
    if (comma != std::string::npos) line += "...";
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace orbeline
