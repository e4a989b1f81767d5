#include "app/settings.h"

#include "app/program_state.h"
#include "app/texts.h"
#include "base/ansi_text.h"
#include "platform/platform.h"

namespace tolvar {

std::string settingsPath(Platform& platform) {
  return platform.exeDirectory() + "\\" + texts::settingsFileName;
}

bool settingsFileExists(Platform& platform) { return platform.fileExists(settingsPath(platform)); }

int readSetting(Platform& platform, const char* key) {
  return textToInt(platform.readProfileString(texts::settingsSection, key, settingsPath(platform)));
}

void writeSetting(Platform& platform, const char* key, const std::string& text) {
  platform.writeProfileString(texts::settingsSection, key, text, settingsPath(platform));
}

void loadSettingsAtStartup(ProgramState& state, Platform& platform) {
  if (!settingsFileExists(platform)) {
    writeSetting(platform, texts::keyEdge, "1");
    writeSetting(platform, texts::keyAlpha, "150");
    writeSetting(platform, texts::keyRunAtStartup, "3");
    writeSetting(platform, texts::keyAlwaysPopUp, "0");
  }
  state.currentEdge = readSetting(platform, texts::keyEdge);
  state.alphaLevel = readSetting(platform, texts::keyAlpha);
  const bool popUp = readSetting(platform, texts::keyAlwaysPopUp) != 0;
  platform.setMenuCheck(MenuItem::alwaysPopUp, popUp);
  state.alwaysPopUp = popUp ? 1 : 0;
  if (state.currentEdge < 1 || state.currentEdge > 4) {
    state.currentEdge = 1;
    writeSetting(platform, texts::keyEdge, "1");
  }
  if (state.alphaLevel < 10 || state.alphaLevel > 245) {
    state.alphaLevel = 150;
    writeSetting(platform, texts::keyAlpha, "150");
  }
}

}  // namespace tolvar
