#include "app/shortcut_commands.h"

#include <system_error>

#include "settings/ask_confirmation.h"
#include "settings/setting_names.h"

namespace orbeline {
namespace {

constexpr std::string_view kOnlyDrawArgument = "-OnlyDraw";
constexpr std::string_view kConfirmCaption = "Confirm";

// A name that stays inside its folder.
bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

// Desktops start a launcher on the desktop only when it is executable: every class of
// user that may read it may run it, as chmod +x would do.
void MakeExecutable(const std::filesystem::path& path) {
  using std::filesystem::perms;
  std::error_code error;
  const perms current = std::filesystem::status(path, error).permissions();
  if (error) throw EShortcutError();
  perms add = perms::owner_exec;
  if ((current & perms::group_read) != perms::none) add |= perms::group_exec;
  if ((current & perms::others_read) != perms::none) add |= perms::others_exec;
  std::filesystem::permissions(path, add, std::filesystem::perm_options::add, error);
  if (error) throw EShortcutError();
}

}  // namespace

ShortcutCommands::ShortcutCommands(MainForm& form, SettingsStore& store, Prompts& prompts,
                                   Shell& shell)
    : form_(form), store_(store), prompts_(prompts), shell_(shell) {}

TShortcutLink ShortcutCommands::ProgramLink(const std::filesystem::path& file,
                                            std::string arguments) const {
  const MainFormEnvironment& environment = form_.environment();
  TShortcutLink link;
  link.shortcut_file = file.string();
  link.target = environment.exe_path;
  link.arguments = std::move(arguments);
  link.working_dir = std::filesystem::path(environment.exe_path).parent_path().string() + "/";
  link.icon_location = environment.icon_location;
  link.icon_number = 0;
  return link;
}

bool ShortcutCommands::AskYesNo(const std::string& text) {
  return prompts_.ShowMessage({std::string(kConfirmCaption), text, Prompts::Icon::kQuestion,
                               Prompts::Buttons::kYesNo, Prompts::Answer::kNo}) ==
         Prompts::Answer::kYes;
}

void ShortcutCommands::TellCreated() {
  prompts_.ShowMessage({std::string(kConfirmCaption), "Shortcut created!",
                        Prompts::Icon::kInformation, Prompts::Buttons::kOk, Prompts::Answer::kOk});
}

void ShortcutCommands::StartUpButtonClick() {
  if (!AskYesNo("Now Orbeline will create a shortcut with \"-OnlyDraw\" option in your "
                "startup. Are you okay?")) {
    return;
  }
  // The setting is the user's to edit; a name that leaves the folder writes nothing.
  const std::string name = store_.ReadSetting(setting::kStartupFileName);
  if (!IsPlainFileName(name)) throw EShortcutError();
  ProgramLink(GetStartupFolder() / name, std::string(kOnlyDrawArgument)).CreateLink();
  TellCreated();
}

void ShortcutCommands::DesktopButtonClick() {
  if (!AskYesNo("Create a shortcut on your desktop. Okay?")) return;
  const std::filesystem::path path = GetDesktopFolder() / kDesktopShortcutName;
  ProgramLink(path, "").CreateLink();
  MakeExecutable(path);
  shell_.TrustLauncher(path.string());
  TellCreated();
}

void ShortcutCommands::StartupOffer() {
  if (form_.draw_only_run()) return;
  const std::filesystem::path path = form_.shortcut_file();
  std::error_code ignored;
  if (std::filesystem::exists(path, ignored)) return;
  if (!AskConfirmation(store_, prompts_, form_.draw_only_run(),
                       {Prompts::ConfirmationMode::kQuestion, std::string(setting::kStartupCheck),
                        false, "Orbeline is not set as a startup item. Do you want to add it?",
                        std::string(kConfirmCaption)})) {
    return;
  }
  std::filesystem::create_directories(path.parent_path(), ignored);
  ProgramLink(path, std::string(kOnlyDrawArgument)).CreateLink();
}

}  // namespace orbeline
