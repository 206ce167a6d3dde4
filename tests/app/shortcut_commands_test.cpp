#include "app/shortcut_commands.h"

#include <gtest/gtest.h>

#include "desktop_file_validate.h"
#include "open_form.h"

namespace orbeline {
namespace {

using Answer = Prompts::Answer;

class ShortcutCommandsTest : public ::testing::Test, protected testing::OpenForm {
 protected:
  ShortcutCommandsTest() {
    environment.startup_folder = env.config_home() / "autostart";
    environment.icon_location = "org.quillmere.Orbeline";
  }
  ShortcutCommands& Commands(int auto_draw = 0) {
    if (!form) Create(auto_draw);
    if (!commands_) commands_ = std::make_unique<ShortcutCommands>(*form, store, prompts, shell);
    return *commands_;
  }
  std::filesystem::path Startup(const char* name = "Orbeline StartUp.desktop") const {
    return env.config_home() / "autostart" / name;
  }

  testing::IsolatedEnvironment env;
  std::unique_ptr<ShortcutCommands> commands_;
};

TEST_F(ShortcutCommandsTest, StartupAndDesktopButtons) {
  prompts.message_answers = {Answer::kNo, Answer::kYes, Answer::kOk, Answer::kYes, Answer::kOk};
  Commands().StartUpButtonClick();
  EXPECT_FALSE(std::filesystem::exists(Startup())) << "No writes nothing";
  Commands().StartUpButtonClick();
  ASSERT_EQ(prompts.shown.size(), 3u);
  EXPECT_EQ(prompts.shown[2].text, "Shortcut created!");
  const std::string startup = testing::FileText(Startup());
  for (const char* line : {"Exec=/usr/bin/orbeline -OnlyDraw\n", "Path=/usr/bin/\n",
                           "Icon=org.quillmere.Orbeline\n"}) {
    EXPECT_NE(startup.find(line), std::string::npos) << line << " in\n" << startup;
  }
  EXPECT_EQ(startup.find("HotKey"), std::string::npos);

  Commands().DesktopButtonClick();
  const std::filesystem::path desktop = env.home() / "Desktop" / "Orbeline.desktop";
  EXPECT_EQ(prompts.shown[3].text, "Create a shortcut on your desktop. Okay?");
  EXPECT_NE(testing::FileText(desktop).find("Exec=/usr/bin/orbeline\n"), std::string::npos);
  EXPECT_EQ(testing::DesktopFileValidate(desktop), "");
  using std::filesystem::perms;
  EXPECT_NE(std::filesystem::status(desktop).permissions() & perms::owner_exec, perms::none)
      << "the desktop starts executable entries";
  EXPECT_EQ(shell.trusted, std::vector<std::string>{desktop.string()});
}

TEST_F(ShortcutCommandsTest, StartupFileNameMustStayInTheFolder) {
  Create();
  store.WriteSetting("StartupFileName", "../escape.desktop");
  prompts.message_answers = {Answer::kYes};
  EXPECT_THROW(Commands().StartUpButtonClick(), EShortcutError);
  EXPECT_FALSE(std::filesystem::exists(env.config_home() / "escape.desktop"));
  EXPECT_EQ(prompts.shown.size(), 1u) << "no success message";
}

TEST_F(ShortcutCommandsTest, StartupOfferLooksForTheFixedName) {
  Create();
  store.WriteSetting("StartupFileName", "Mine.desktop");
  prompts.message_answers = {Answer::kYes, Answer::kOk};
  Commands().StartUpButtonClick();
  ASSERT_TRUE(std::filesystem::exists(Startup("Mine.desktop")));
  // Only another name exists: the offer is made; on Yes the fixed name is written silently.
  prompts.shown.clear();
  prompts.confirmation_answers = {{true, false}};
  Commands().StartupOffer();
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(prompts.shown[0].text, "Orbeline is not set as a startup item. Do you want to add it?");
  EXPECT_NE(testing::FileText(Startup()).find("Exec=/usr/bin/orbeline -OnlyDraw"),
            std::string::npos);
  Commands().StartupOffer();
  EXPECT_EQ(prompts.shown.size(), 1u) << "once the file exists nothing is asked";
}

TEST_F(ShortcutCommandsTest, NoOfferInADrawOnlyRunStoppedByAMessage) {
  Commands(13).StartupOffer();  // design 3 is not saved: the window opens
  EXPECT_EQ(prompts.shown.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(Startup()));
}

}  // namespace
}  // namespace orbeline
