// Setup.ini reading and writing.
//
//   key (upper case)        action                                          log line
//   AUDIODRIVER             value equal to a driver name (case kept) -> index
//   FULLSCREEN              TRUE / ON (any case) -> 1                       "\tSetting to Fullscreen"
//   GFX ENGINE, GFXENGINE   DX9 -> 1, DX7 -> 2, anything else leaves it     "\tDirectX 9/7 Mode"
//   WIDTH, HEIGHT           absolute value
//   ESS                     1 whatever the value (only ever written when on) "\tAssuming ..."
//   KEY                     "n,code": ControlBindings[n] = code for n 0..99
//   MASTER, SOUND, MUSIC    absolute value
#include "engine/setup_file.h"

#include "common/folders.h"
#include "common/log.h"
#include "common/read_number.h"
#include "common/settings.h"
#include "engine/engine_state.h"
#include "engine/save_report.h"
#include "frame/draw.h"
#include "input/input_state.h"
#include "media/media.h"

namespace {

// Set when the file named an audio driver; otherwise ReadSetup picks the default driver.
bool audioLineSeen = false;

const char* const GFX_NAMES[3] = {"OpenGL", "DX9", "DX7"};
const char* const ESS_LINE = "ESS=1 ; This is a slow system, and things must run a wee bit slower for it.  Awww..";

std::string Prefix(const std::string& name, int n) { return Upper(Left(name, n)); }

// The default driver: the last one named "DIRECT..." or else the first "OPENAL..." or "FREE...".
int DefaultAudioDriver() {
  int picked = -1;
  for (int i = 0; i < static_cast<int>(AudioDriverNames.size()); ++i) {
    const std::string& name = AudioDriverNames[static_cast<size_t>(i)];
    if ((Prefix(name, 6) == "OPENAL" || Prefix(name, 4) == "FREE") && picked < 0) picked = i;
    if (Prefix(name, 6) == "DIRECT") picked = i;
  }
  return picked;
}

}  // namespace

void ReadSetupLine(const std::string& line) {
  // A line without "=" is no setting. (Cut at "=", such a line would give its whole text as the
  // value too, so a lone "Key" would unbind a control and a lone "Music" would mute the music.)
  if (line.find('=') == std::string::npos) return;
  std::string key = Upper(Trim(Field(line, "=", 1)));
  std::string value = Trim(Field(line, "=", 2));
  std::string upper = Upper(value);

  if (key == "AUDIODRIVER") {
    audioLineSeen = true;
    for (int i = 0; i < static_cast<int>(AudioDriverNames.size()); ++i)
      if (value == AudioDriverNames[static_cast<size_t>(i)]) Settings[AudioDriver] = i;
  }
  if (key == "FULLSCREEN") {
    if (upper == "TRUE" || upper == "ON") {
      Settings[Fullscreen] = 1;
      LogLine("\tSetting to Fullscreen");
    }
  }
  if (key == "GFX ENGINE" || key == "GFXENGINE") {
    if (upper == "DX9") {
      Settings[GfxEngine] = 1;
      LogLine("\tDirectX 9 Mode");
    } else if (upper == "DX7") {
      Settings[GfxEngine] = 2;
      LogLine("\tDirectX 7 Mode");
    }
  }
  if (key == "WIDTH") Settings[Width] = ReadAbsInt(value);
  if (key == "HEIGHT") Settings[Height] = ReadAbsInt(value);
  if (key == "ESS") {
    Settings[ESS] = 1;
    LogLine("\tAssuming Emergency Slow System values.");
  }
  if (key == "KEY") {
    int n = ReadAbsInt(Field(value, ",", 1));
    int code = ReadAbsInt(Field(value, ",", 2));
    if (n >= 0 && n <= 99) ControlBindings[n] = code;
  }
  if (key == "MASTER") Settings[Master] = ReadAbsInt(value);
  if (key == "SOUND") Settings[Sound] = ReadAbsInt(value);
  if (key == "MUSIC") Settings[Music] = ReadAbsInt(value);
}

void ReadSetup() {
  audioLineSeen = false;
  if (FileType("Setup.ini") == PATH_FILE) {
    int in = OpenRead("Setup.ini");
    if (in) {
      LogLine("\tReading Setup File");
      // A file with no lines at all is handled as one empty line, as the loop reads before testing.
      do {
        ReadSetupLine(ReadLine(in));
      } while (!Eof(in));
      CloseFile(in);
    }
  }
  if (!audioLineSeen) {
    int picked = DefaultAudioDriver();
    if (picked >= 0) Settings[AudioDriver] = picked;
  }

  LogLine("Setting Audio Driver");
  std::string name = AudioDriverName(Settings[AudioDriver]);
  if (!name.empty() && AudioDriverExists(name)) {
    if (Prefix(name, 6) != "OPENAL" || OpenALInstalled()) SelectAudioDriver(name);
  }
  LogLine("Set Audio Driver");
  LogLine("");

  LogLine("\tRequested Resolution : " + IntText(Settings[Width]) + "x" + IntText(Settings[Height]));
  LogLine("\tSetup Loaded");
  LogLine("");
}

std::vector<std::string> SetupLines() {
  std::vector<std::string> lines;
  lines.push_back("[Graphics]");
  if (Settings[Fullscreen] == 0) lines.push_back("Fullscreen = False");
  if (Settings[Fullscreen] == 1) lines.push_back("Fullscreen = True");
  if (Settings[GfxEngine] >= 0 && Settings[GfxEngine] <= 2)
    lines.push_back(std::string("GFX Engine = ") + GFX_NAMES[Settings[GfxEngine]]);
  lines.push_back("Width=" + IntText(Settings[Width]));
  lines.push_back("Height=" + IntText(Settings[Height]));
  if (Settings[ESS] == 1) lines.push_back(ESS_LINE);
  lines.push_back("");
  lines.push_back("[Audio]");
  lines.push_back("Master = " + IntText(Settings[Master]));
  lines.push_back("Sound = " + IntText(Settings[Sound]));
  lines.push_back("Music = " + IntText(Settings[Music]));
  lines.push_back("AudioDriver = " + AudioDriverName(Settings[AudioDriver]));
  for (const auto& name : AudioDriverNames) lines.push_back("; AudioDriver = " + name);
  lines.push_back("");
  lines.push_back("[Controls]");
  for (int i = 0; i <= 99; ++i)
    if (ControlBindings[i] > 0) lines.push_back("Key=" + IntText(i) + "," + IntText(ControlBindings[i]));
  return lines;
}

bool WriteSetup() {
  if (PlayerFilesKept) return true;
  bool ok = false;
  InFolder(PlayerPath(""), [&ok] {
    if (int out = OpenReplace("Setup.ini")) {
      for (const auto& line : SetupLines()) WriteLine(out, line);
      ok = CloseFile(out);
    }
  });
  ReportSave("Setup.ini", ok);
  return ok;
}
