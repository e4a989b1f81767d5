// The settings file "config.ini" beside the executable: one section, four integer keys,
// read once at start-up and written at the moments the design lists.
#pragma once

#include <string>

namespace tolvar {

class Platform;
struct ProgramState;

// The executable's directory and "\config.ini", formed anew for every read and write.
std::string settingsPath(Platform& platform);
bool settingsFileExists(Platform& platform);
// The key's text from section "窗口设置", read as an integer (textToInt); missing file,
// section or key read as 0.
int readSetting(Platform& platform, const char* key);
void writeSetting(Platform& platform, const char* key, const std::string& text);

// Start-up steps 9 to 13: defaults when the file is missing, the three reads, the
// always-pop-up check mark, then the repairs of edge and opacity, edge first.
void loadSettingsAtStartup(ProgramState& state, Platform& platform);

}  // namespace tolvar
